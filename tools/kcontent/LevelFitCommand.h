#pragma once
#include <string>
#include <vector>

// level fit FILE...: gives every waypoint of an ordinary level that serves an obstacle or a
// building the quad of the waypoint rule (level/WaypointArea.h), so that a click on the
// picture reaches the waypoint. Only those waypoints' size attributes are rewritten; comments
// and layout stay. Exit code 0 when every file was read (changed or not).
int RunLevelFit(const std::vector<std::string>& args);

// The level text with its waypoints' sizes fitted, and how many were changed; false with a
// reason when the text is no readable level.
bool FitWaypointSizes(const std::string& text, std::string& out, int& changed, std::string& error);
