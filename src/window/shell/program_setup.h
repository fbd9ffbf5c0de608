#pragma once

class QApplication;

// What the application needs before its first window: its title, Qt's own
// Russian translations, stand-ins for the classic Windows fonts and an icon
// theme.
void prepareApplication(QApplication &app);
