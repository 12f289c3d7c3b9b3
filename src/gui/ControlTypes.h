#pragma once

class ControlFactory;

// Registers every control type of the game with its element name, and the text type as the
// maker of message texts.
void RegisterControlTypes(ControlFactory& factory);
