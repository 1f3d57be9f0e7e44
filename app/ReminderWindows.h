// The two small windows of the reminder action: PromptSettingsWindow asks for
// the text, PromptWindow shows it when the schedule fires. While either is
// open MainWindow is disabled; closing it by any means enables MainWindow
// again and gives it the focus.
#pragma once

#include <string>

#include "app/AppContext.h"
#include "ui/Toolkit.h"

namespace app {

const ui::WindowDesign& PromptSettingsWindowDesign();
const ui::WindowDesign& PromptWindowDesign();

// Opens PromptSettingsWindow beside MainWindow and disables MainWindow.
void AskForReminderText(AppContext& app, ui::Window& mainWindow);

// Opens PromptWindow with the text and disables MainWindow.
void ShowReminder(AppContext& app, ui::Window& mainWindow, const std::string& text);

}  // namespace app
