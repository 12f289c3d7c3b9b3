#pragma once
#include <string>

// A speaker picture of the in-level dialogs: `name` + "_figure" and `name` + "_head".
struct DialogPicture {
  int id = 0;
  std::string name;
};
