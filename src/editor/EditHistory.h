#pragma once
#include <cstddef>
#include <deque>
#include <string>

// The undo and redo of a document whose every state is its level text: each edit pushes the
// text it leads to, undo and redo walk the list. Keeping whole states rather than inverse
// operations means an undo can never disagree with the edit it takes back. The oldest states
// are dropped beyond the limit.
class EditHistory {
 public:
  static constexpr size_t kDefaultLimit = 1000;

  explicit EditHistory(size_t limit = kDefaultLimit) : limit_(limit < 1 ? 1 : limit) {}

  // Starts again from one state, which is also the saved one.
  void Reset(std::string state);
  // A new state after the current one; whatever could be redone is gone.
  void Push(std::string label, std::string state);
  const std::string& Current() const { return entries_[at_].state; }

  bool CanUndo() const { return at_ > 0; }
  bool CanRedo() const { return at_ + 1 < entries_.size(); }
  // The label of the edit an undo or redo would take back or do again (empty: none).
  std::string UndoLabel() const { return CanUndo() ? entries_[at_].label : std::string(); }
  std::string RedoLabel() const { return CanRedo() ? entries_[at_ + 1].label : std::string(); }
  // Steps back; false when there is nothing to undo.
  bool Undo();
  bool Redo();
  // How many undo steps there are.
  size_t UndoSteps() const { return at_; }

  // The current state is the one on disk.
  void MarkSaved() { saved_ = Current(); }
  // No state is on disk (a new document).
  void MarkUnsaved() { saved_.clear(); }
  bool Modified() const { return Current() != saved_; }

 private:
  struct Entry {
    std::string label;
    std::string state;
  };
  size_t limit_;
  std::deque<Entry> entries_{Entry{}};
  size_t at_ = 0;
  std::string saved_;
};
