// The framework's simple message box: the text, the application's title as caption, one OK button.
#pragma once

#include <string>

// The caption of simple message boxes; until set it is the executable's base name.
void SetApplicationTitle(const std::string& title);
std::string ApplicationTitle();

// Shows text (UTF-8; a CR or LF breaks the line) modally over the active window.
void ShowMessage(const std::string& text);

