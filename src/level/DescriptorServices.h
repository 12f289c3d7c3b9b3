#pragma once
#include <string_view>

// What the descriptor loader and the level reader need from the graphics, font, sound and
// particle services. The Application implements it over its services; tools implement it
// over the files of a game folder.
class DescriptorServices {
 public:
  virtual ~DescriptorServices() = default;

  // A texture or sprite of that name can be drawn.
  virtual bool HasTexture(std::string_view name) const = 0;
  // The texture of that name is a level mask (it covers the whole level).
  virtual bool IsMaskTexture(std::string_view name) const = 0;
  // The size in screen units of the texture or sprite of that name; false when there is none.
  virtual bool TextureSize(std::string_view /*name*/, float& /*width*/, float& /*height*/) const {
    return false;
  }
  // Registers inline symbol `code` (drawn for the code unit of that value in texts) with the
  // picture `texture`.
  virtual void RegisterIcon(int code, std::string_view texture) = 0;
};
