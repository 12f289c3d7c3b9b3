#include "level/GameSettings.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "data/XmlDocument.h"

namespace {

// A real setting; a value that is no finite number keeps the setting as it is.
void ReadReal(const XmlElement& e, float& setting, float scale = 1.0f) {
  const float v = e.Float("value", setting / scale) * scale;
  if (std::isfinite(v)) setting = v;
}

}  // namespace

GameSettings GameSettings::LoadGameSettings(FileSystem& fs) {
  GameSettings settings;
  XmlDocument doc(fs);
  if (doc.Load("game_settings")) settings.Read(doc);
  return settings;
}

bool GameSettings::Read(const XmlDocument& document) {
  const XmlElement root = document.FirstChild(XmlElement(), "GameSettings");
  if (!root) return false;
  for (XmlElement e = root.FirstChild(); e; e = e.NextSibling()) {
    if (!e.Has("value")) continue;
    const std::string_view name = e.Name();
    if (name == "shadowOffset") {
      float xy[2] = {0, 0};
      e.Floats("value", xy);
      if (std::isfinite(xy[0]) && std::isfinite(xy[1])) shadowOffset = Vec2{xy[0], xy[1]};
    } else if (name == "shadowAlpha") {
      shadowAlpha = std::clamp(e.Int("value", shadowAlpha), 0, 255);
    } else if (name == "shadowSize") {
      ReadReal(e, shadowSize, 0.01f);
    } else if (name == "workerOffset") {
      ReadReal(e, workerOffset);
    } else if (name == "respawnOffset") {
      ReadReal(e, respawnOffset);
    } else if (name == "flySpeed") {
      ReadReal(e, flySpeed);
    } else if (name == "showResLost") {
      showResLost = e.Bool("value", showResLost);
    } else if (name == "showFPS") {
      showFPS = e.Bool("value", false);
    } else if (name == "birdLife") {
      birdLife = std::max(1, e.Int("value", birdLife));
    }
  }
  return true;
}
