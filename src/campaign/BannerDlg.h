#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "gui/GUIDialog.h"

class StringTable;

// The promotional banner (layout "promo_banner"): a picture (33) that shows the four
// pictures "banner_pic_0" .. "banner_pic_3" in turn, 2.5 s each. It waits hidden just
// outside the right edge of the screen; sliding in moves it and its controls left by its
// width, sliding out puts them back at once. A click on it reports the dialog's own id.
class BannerDlg : public GUIDialog {
 public:
  static constexpr int kPicture = 33;
  static constexpr int kPictures = 4;
  static constexpr float kPictureMs = 2500.0f;
  static constexpr float kSlideSeconds = 0.6f;

  explicit BannerDlg(int dialogId);

  void SlideIn();
  void SlideOut();
  bool SlidIn() const { return slidIn_; }
  // The picture on show, 0..3.
  int Picture() const { return picture_; }

  void Update(float dt) override;
  bool OnInput(InputEvent event) override;

  // Whether an address may be handed to the desktop: only http and https addresses without
  // spaces or control characters.
  static bool IsWebAddress(std::string_view address);
  // The address of the string "banner_url" in the narrow character set ("" when it is no
  // web address).
  static std::string LinkAddress(const StringTable& strings);

 private:
  void ShowPicture();

  std::vector<Rect> home_;  // the rectangles outside the screen: the dialog's, then its children's
  float timer_ = 0.0f;
  int picture_ = 0;
  bool slidIn_ = false;
};
