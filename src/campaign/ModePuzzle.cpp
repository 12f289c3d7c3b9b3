#include "campaign/ModePuzzle.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

#include "app/Application.h"
#include "base/GameKeys.h"
#include "base/Random.h"
#include "data/XmlDocument.h"
#include "gui/GUIDialog.h"
#include "gui/GUIMessageBox.h"
#include "gui/GUIPuzzle.h"
#include "gui/GUIText.h"
#include "gui/LayoutElement.h"
#include "progress/IntegerFormat.h"

namespace {

constexpr size_t kPuzzleMaxPoints = 512;
constexpr size_t kPuzzleMaxLinks = 16;
constexpr float kNamePlateExtra = 64;  // "if_pz_text_add"
constexpr int kPuzzleDialogFadeMs = 120;

std::string PuzzleKey(const char* pattern, int n) {
  char text[64];
  std::snprintf(text, sizeof text, pattern, n);
  return text;
}

std::u16string PuzzleString(std::string_view key) {
  const StringTable* strings = App().strings();
  return strings ? std::u16string(strings->Get(key)) : std::u16string();
}

// The offset o turned clockwise by quarter turns (y up).
GuiPoint TurnedClockwise(GuiPoint o, int quarterTurns) {
  const double phi = double(quarterTurns) * std::numbers::pi / 2.0;
  const double c = std::cos(phi), s = std::sin(phi);
  return {float(o.x * c + o.y * s), float(-o.x * s + o.y * c)};
}

float PointDistance(GuiPoint a, GuiPoint b) { return std::hypot(a.x - b.x, a.y - b.y); }

// One piece of the outline file as read: its links and outline points.
struct PieceShape {
  std::vector<int> links;
  std::vector<GuiPoint> outline;
};

// The shapes of "puzzle_poly_N" in piece order (fewer than ten when the file has fewer;
// none when it is missing or does not parse).
std::vector<PieceShape> ReadShapes(int number) {
  std::vector<PieceShape> shapes;
  FileSystem* files = App().files();
  if (!files) return shapes;
  XmlDocument document(*files);
  if (!document.Load(PuzzleKey("puzzle_poly_%d.xml", number))) return shapes;
  const XmlElement root = document.FirstChild(XmlElement(), "pieces");
  for (XmlElement e = root ? root.FirstChild("piece") : XmlElement();
       e && shapes.size() < size_t(ModePuzzle::kPieces); e = e.NextSibling("piece")) {
    PieceShape shape;
    std::vector<int> links;
    e.IntList("links", links);
    for (int n : links) {
      if (shape.links.size() < kPuzzleMaxLinks) shape.links.push_back(n);
    }
    for (XmlElement p = e.FirstChild("point"); p && shape.outline.size() < kPuzzleMaxPoints;
         p = p.NextSibling("point")) {
      const float x = p.Float("x", 0.0f), y = p.Float("y", 0.0f);
      if (std::isfinite(x) && std::isfinite(y)) shape.outline.push_back({x, y});
    }
    shapes.push_back(std::move(shape));
  }
  return shapes;
}

}  // namespace

bool ModePuzzle::showAllPieces = false;

// ---------------------------------------------------------------- the screen contract

void ModePuzzle::Accept(const ModeRequest& request) {
  puzzleNumber = request.number;
  back_ = request.back == ModeId::None ? ModeId::Map : request.back;
}

void ModePuzzle::Enter() {
  requested = nullptr;
  Mode::Enter();
  Build();
}

void ModePuzzle::Leave() {
  held = nullptr;
  holding = dragging = false;
  controls.Clear();
  if (TextureManager* textures = App().textures()) textures->EvictUnloadable();
}

void ModePuzzle::OnFadeDone(Fade kind) {
  if (kind != Fade::Out) return;
  Application& app = App();
  if (app.textures()) app.textures()->EvictUnloadable();
  if (requested) app.SetMode(requested, false);
}

int ModePuzzle::OnCommand(int id) {
  if (id == 2 && !requested) {
    PlaySound("button_click");
    Mode* back = App().ModeOf(back_);
    if (back) RequestMode(back);
  }
  return id;
}

void ModePuzzle::Update() {
  Mode::Update();
  PlayerProfiles* profiles = App().profiles();
  const GUIPuzzle* first = Piece(1);
  if (complete && first && !first->HasChangers() && profiles && ValidNumber() &&
      !profiles->progress.PuzzleCompleted(puzzleNumber)) {
    if (GUIControl* plate = controls.Find(kNamePlateId)) controls.BringToTop(plate);
    if (GUIControl* name = controls.Find(kNameId)) controls.BringToTop(name);
    // Stored at once: the bonus level stays open whatever happens to the program next.
    profiles->progress.SetPuzzleCompleted(puzzleNumber);
    profiles->SaveProgress();
    ShowOkDialog(FormatIntegers(PuzzleString("bonus_level_unlocked"), {puzzleNumber, 11}));
  }
  if (auto* dialog = dynamic_cast<GUIDialog*>(controls.TopDialog()); dialog && dialog->Result()) {
    PlaySound("button_click");
    controls.Remove(dialog);
    controls.ResetAll();
  }
}

// ---------------------------------------------------------------- the board

bool ModePuzzle::ValidNumber() const {
  return puzzleNumber >= 1 && puzzleNumber <= Progress::kPuzzles;
}

GUIPuzzle* ModePuzzle::Piece(int number) const {
  if (number < 1 || number > kPieces) return nullptr;
  return dynamic_cast<GUIPuzzle*>(controls.Find(kFirstPieceId + number - 1));
}

bool ModePuzzle::AllJoined() const {
  const GUIPuzzle* first = Piece(1);
  if (!first || first->group == 0) return false;
  for (int i = 2; i <= kPieces; ++i) {
    const GUIPuzzle* piece = Piece(i);
    if (!piece || piece->group != first->group) return false;
  }
  return true;
}

int ModePuzzle::FoundPieces() const {
  if (showAllPieces) return kPieces;
  const PlayerProfiles* profiles = App().profiles();
  if (!profiles || !Progress::HasRecord(puzzleNumber, 1)) return 0;
  int found = 0;
  for (int level = 1; level <= 10; ++level) {
    if (profiles->progress.Record(puzzleNumber, level).flags & LevelRecord::kPuzzlePiece) ++found;
  }
  return found;
}

void ModePuzzle::Build() {
  complete = holding = dragging = false;
  held = nullptr;
  // The puzzle's texts live in a file of their own, read in the current language.
  if (StringTable* strings = App().strings()) strings->Load("puzzle");
  controls.LoadLayout("puzzle_gui", true);
  // A number outside the boards of the progress makes an empty board.
  if (ValidNumber()) ReadPieces();
  controls.LoadLayout("puzzle_ovr", false);
  FitNamePlate();
  if (!ValidNumber()) return;
  const int found = FoundPieces();
  const PlayerProfiles* profiles = App().profiles();
  if (profiles && profiles->progress.PuzzleCompleted(puzzleNumber)) {
    complete = true;
    return;
  }
  Deal(found);
}

void ModePuzzle::ReadPieces() {
  const GuiContext& gui = Gui();
  if (!gui.files) return;
  XmlDocument document(*gui.files);
  if (!document.Load(PuzzleKey("puzzle_set_%d.xml", puzzleNumber))) return;
  const XmlElement root = document.FirstChild(XmlElement(), "controls");
  for (XmlElement e = root ? root.FirstChild() : XmlElement(); e; e = e.NextSibling()) {
    controls.Add(GUIPuzzle::Read(LayoutElement(e, nullptr, gui)));
  }
}

void ModePuzzle::FitNamePlate() {
  auto* name = dynamic_cast<GUIText*>(controls.Find(kNameId));
  if (!name) return;
  name->SetText(PuzzleString(PuzzleKey("puzzle_name_%02d", puzzleNumber)));
  GUIControl* plate = controls.Find(kNamePlateId);
  if (!plate) return;
  float widest = 0;
  if (FontManager* fonts = App().fonts()) {
    fonts->SelectFont(name->fontId);
    for (const std::u16string& line : name->Lines())
      widest = std::max(widest, fonts->MeasureText(line, name->fontSize, false));
  }
  const ValueTable* values = App().values();
  const float extra =
      values ? values->GetFloat("if_pz_text_add", kNamePlateExtra) : kNamePlateExtra;
  const float half = (widest + extra) / 2;
  const float cx = CentreX(plate->rect);
  // The same centre and height; the first corner stays on its side.
  const bool leftFirst = plate->rect.x0 <= plate->rect.x1;
  plate->rect.x0 = leftFirst ? cx - half : cx + half;
  plate->rect.x1 = leftFirst ? cx + half : cx - half;
}

void ModePuzzle::Deal(int found) {
  Progress* progress = App().profiles() ? &App().profiles()->progress : nullptr;
  if (found == 0) {
    if (std::unique_ptr<GUIOkDialog> box = GUIOkDialog::Create(PuzzleString("no_puzzle_found"))) {
      GUIOkDialog* shown = box.get();
      AddControl(std::move(box));
      shown->Show(float(kPuzzleDialogFadeMs));
    }
  }
  const std::vector<PieceShape> shapes = ReadShapes(puzzleNumber);
  for (int i = 1; i <= kPieces; ++i) {
    GUIPuzzle* piece = Piece(i);
    PuzzleSlot* slot = progress ? &progress->Puzzle(puzzleNumber)[size_t(i - 1)] : nullptr;
    const bool isFound = i <= found;
    if (piece) {
      piece->visible = isFound;
      piece->home = piece->Centre();
      piece->links.clear();
    }
    if (!isFound) {
      if (slot) slot->flags &= uint8_t(~0x03u);
      continue;
    }
    if (slot) {
      slot->flags = uint8_t((slot->flags | PuzzleSlot::kOnBoard) & ~0x02u);
      slot->reserved = 0;
      // Three draws in this order: the turn, then y, then x.
      slot->rotation = uint8_t(Rand15() % 4);
      slot->y = float(Rand15()) / 32767.0f * kDealHeight + kDealY0;
      slot->x = float(Rand15()) / 32767.0f * kDealWidth + kDealX0;
    }
    if (!piece) continue;
    piece->rotation = 0;
    piece->group = 0;
    piece->angle = 0;
    const PieceShape* shape = size_t(i - 1) < shapes.size() ? &shapes[size_t(i - 1)] : nullptr;
    if (shape) {
      for (int n : shape->links) piece->links.push_back(PuzzleLink{n, {}, nullptr});
    }
    // An outline needs three points to hold anything; a shorter one is the sprite rectangle.
    if (shape && shape->outline.size() >= 3) {
      piece->SetOutline(shape->outline);
    } else {
      piece->UseRectangleOutline();
    }
  }
  // Neighbours and the offsets between the finished places. A number naming no piece, or
  // the piece itself, links nothing and is dropped.
  for (int i = 1; i <= kPieces; ++i) {
    GUIPuzzle* piece = Piece(i);
    if (!piece) continue;
    std::erase_if(piece->links, [&](PuzzleLink& link) {
      link.neighbour = link.number != i ? Piece(link.number) : nullptr;
      if (!link.neighbour) return true;
      link.offset = {CentreX(link.neighbour->rect) - CentreX(piece->rect),
                     CentreY(link.neighbour->rect) - CentreY(piece->rect)};
      return false;
    });
  }
  for (int i = 1; i <= kPieces; ++i) {
    GUIPuzzle* piece = Piece(i);
    if (!piece || !progress) continue;
    const PuzzleSlot& slot = progress->Puzzle(puzzleNumber)[size_t(i - 1)];
    piece->rotation = slot.rotation % 4;
    piece->angle = float(piece->rotation) * 90.0f;
    const float x = std::isfinite(slot.x) ? slot.x : 0.0f;
    const float y = std::isfinite(slot.y) ? slot.y : 0.0f;
    piece->CentreOn({x, y});
  }
}

// ---------------------------------------------------------------- input

int ModePuzzle::OnInput(InputEvent event) {
  if (const int id = controls.OnInput(event); id > 0) {
    OnCommand(id);
    return id;
  }
  const GuiPoint at = Gui().Pointer();
  switch (event.type) {
    case InputType::Character:
      if (App().cheats) TypeCheat(event.value);
      break;
    case InputType::KeyDown:
      if (event.value == kGameKeyEscape) {
        if (auto* dialog = dynamic_cast<GUIDialog*>(controls.TopDialog())) {
          dialog->SetResult(3);  // closed at the next update
        } else {
          OnCommand(2);
        }
      } else if (event.value == kGameKeyF1 + 4) {  // F5
        Build();
      }
      break;
    case InputType::LeftDown:
      if (!complete) Press(at);
      break;
    case InputType::PointerMove:
      if (holding) Drag(at);
      break;
    case InputType::LeftUp:
      if (!holding) break;
      holding = false;
      if (!held) break;
      if (dragging) {
        Drop();
      } else {
        Turn();
      }
      break;
    default:
      break;
  }
  return 0;
}

void ModePuzzle::TypeCheat(int value) {
  typed_ += char16_t(value > 0 && value < 128 ? std::tolower(value) : 0);
  if (typed_.size() > 6) typed_.erase(0, typed_.size() - 6);
  if (typed_ != u"unlock") return;
  typed_.clear();
  showAllPieces = !showAllPieces;
  Enter();
}

void ModePuzzle::Press(GuiPoint at) {
  held = nullptr;
  pressPoint = at;
  GUIControl* target = controls.HitTest(at.x, at.y);
  auto* piece = dynamic_cast<GUIPuzzle*>(target);
  if (!piece || piece->id < kFirstPieceId || piece->id >= kFirstPieceId + kPieces ||
      piece->HasChangers()) {
    return;
  }
  held = piece;
  controls.BringToTop(piece);
  const GuiPoint c = piece->Centre();
  grabOffset = {at.x - c.x, at.y - c.y};
  holding = true;
  dragging = false;
}

void ModePuzzle::Drag(GuiPoint at) {
  if (!held) return;
  if (!dragging) {
    if (PointDistance(at, pressPoint) <= kDragStart) return;
    dragging = true;
  }
  const GuiPoint c0 = held->Centre();
  held->CentreOn({at.x - grabOffset.x, at.y - grabOffset.y});
  if (held->group == 0) return;
  const GuiPoint c1 = held->Centre();
  for (int i = 1; i <= kPieces; ++i) {
    GUIPuzzle* piece = Piece(i);
    if (piece && piece != held && piece->group == held->group)
      piece->Move(c1.x - c0.x, c1.y - c0.y);
  }
}

void ModePuzzle::Turn() {
  const int r = (held->rotation + 1) % 4;
  held->rotation = r;
  // The last quarter runs from -90 to 0, so every turn is clockwise.
  held->AddChanger(std::make_unique<AngleChanger>(float(r - 1) * 90.0f, float(r) * 90.0f,
                                                  ChangerTiming::Duration, kTurnSeconds));
  if (held->group != 0) {
    const GuiPoint pivot = held->Centre();
    for (int i = 1; i <= kPieces; ++i) {
      GUIPuzzle* piece = Piece(i);
      if (!piece || piece == held || piece->group != held->group) continue;
      piece->rotation = r;
      piece->AddChanger(std::make_unique<RotateChanger>(
          float(r - 1) * 90.0f, float(r) * 90.0f, pivot, ChangerTiming::Duration, kTurnSeconds));
    }
  }
  PlaySound("puzzle_piece");
}

void ModePuzzle::Drop() {
  for (const PuzzleLink& link : held->links) {
    GUIPuzzle* neighbour = link.neighbour;
    // Pieces not found lie hidden on the board: nothing fits against them.
    if (!neighbour || !neighbour->visible) continue;
    if (held->group != 0 && neighbour->group == held->group) continue;
    if (neighbour->rotation != held->rotation) continue;
    const GuiPoint o = TurnedClockwise(link.offset, held->rotation);
    const GuiPoint n = neighbour->Centre();
    const GuiPoint e{n.x - o.x, n.y - o.y};
    if (PointDistance(held->Centre(), e) < kSnapDistance) {
      Snap(*neighbour, e);
      break;
    }
  }
  dragging = false;
  if (!complete && AllJoined()) {
    Complete();
    return;
  }
  PlaySound("puzzle_piece");
}

void ModePuzzle::Snap(GUIPuzzle& neighbour, GuiPoint e) {
  const GuiPoint c = held->Centre();
  const float dx = e.x - c.x, dy = e.y - c.y;
  held->AddChanger(std::make_unique<RectChanger>(held->rect, held->RectCentredOn(e),
                                                 ChangerTiming::Duration, kSnapSeconds));
  // The held piece's group moves with it by the same step, so that it stays together.
  const auto moveGroup = [&](int group) {
    for (int i = 1; i <= kPieces; ++i) {
      GUIPuzzle* piece = Piece(i);
      if (!piece || piece == held || piece->group != group) continue;
      Rect to = piece->rect;
      to.x0 += dx, to.x1 += dx, to.y0 += dy, to.y1 += dy;
      piece->AddChanger(
          std::make_unique<RectChanger>(piece->rect, to, ChangerTiming::Duration, kSnapSeconds));
    }
  };
  if (held->group != 0 && neighbour.group != 0) {
    const int from = held->group;
    moveGroup(from);
    for (int i = 1; i <= kPieces; ++i) {
      GUIPuzzle* piece = Piece(i);
      if (piece && piece->group == from) piece->group = neighbour.group;
    }
  } else if (held->group != 0) {
    moveGroup(held->group);
    neighbour.group = held->group;
  } else if (neighbour.group != 0) {
    held->group = neighbour.group;
  } else {
    held->group = neighbour.group = held->id - 10;
  }
}

void ModePuzzle::Complete() {
  PlaySound("puzzle_complete");
  complete = true;
  for (int i = 1; i <= kPieces; ++i) {
    GUIPuzzle* piece = Piece(i);
    if (!piece) continue;
    piece->AddChanger(std::make_unique<RectChanger>(piece->rect, piece->RectCentredOn(piece->home),
                                                    ChangerTiming::Duration, kSnapSeconds));
  }
}

void ModePuzzle::ShowOkDialog(const std::u16string& text) {
  std::unique_ptr<GUIOkDialog> box = GUIOkDialog::Create(text);
  if (!box) return;
  GUIOkDialog* shown = box.get();
  AddControl(std::move(box));
  shown->Show(float(kPuzzleDialogFadeMs));
}

void ModePuzzle::PlaySound(const char* name) {
  if (SoundSystem* sound = App().sound()) sound->PlaySound(name);
}

ModePuzzle& TheModePuzzle() {
  static ModePuzzle mode;
  return mode;
}
