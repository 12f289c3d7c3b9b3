#pragma once
#include <string>
#include <vector>

namespace kcontent {

// atlas OUT.{zif,png,jpa} OUT.xml [options] SOURCE...: packs PNG pictures into one atlas
// texture and writes the atlas file that names them. Each SOURCE is a PNG file or a folder
// whose PNG files are all taken; a sprite is named by its file name without ".png".
// Options:
//   --name NAME          texture name written into the atlas file (default: OUT's file stem)
//   --padding N          margin around each picture, in texture pixels (default 2)
//   --max-size N         largest texture side (default 2048)
//   --half               store the pictures at half size; the atlas file says half="1" and
//                        the sprites keep their full logical size
//   --format F, --quality N   as for the image command (zif pixel format, JPEG quality)
int RunAtlasCommand(const std::vector<std::string>& args);

}  // namespace kcontent
