#include "editor/EditHistory.h"

void EditHistory::Reset(std::string state) {
  entries_.clear();
  entries_.push_back(Entry{std::string(), std::move(state)});
  at_ = 0;
  saved_ = Current();
}

void EditHistory::Push(std::string label, std::string state) {
  entries_.erase(entries_.begin() + std::ptrdiff_t(at_ + 1), entries_.end());
  entries_.push_back(Entry{std::move(label), std::move(state)});
  ++at_;
  // limit_ undo steps: limit_ + 1 states.
  while (entries_.size() > limit_ + 1) {
    entries_.pop_front();
    --at_;
  }
}

bool EditHistory::Undo() {
  if (!CanUndo()) return false;
  --at_;
  return true;
}

bool EditHistory::Redo() {
  if (!CanRedo()) return false;
  ++at_;
  return true;
}
