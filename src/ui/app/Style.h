#pragma once
// The program's one look: the loader window's grey (238, 238, 238) behind
// every window, hints on yellow with black 10-point text, and the CJK font
// answering to the family name "黑体" that the windows ask for.
//
// Call once after the QApplication exists (the program, the window tests and
// the screenshot driver all do), from the user-interface thread.
#include <QColor>
#include <QString>

class QApplication;

namespace lumora::ui {

// The background grey of every window (the loader's colour 15658734).
inline constexpr QColor kWindowGrey{238, 238, 238};
// The thumbnail boxes' background (colour 1185821: red 29, green 24, blue 18).
inline constexpr QColor kThumbnailBoxColour{29, 24, 18};
// The family name the windows use for their text.
inline const QString kInterfaceFamily = QStringLiteral("黑体");

// Registers "黑体" as a substitute for the installed CJK family (WenQuanYi
// Micro Hei, else Noto Sans CJK), sets the application font, palette and the
// program style sheet. Returns the real family "黑体" resolves to ("" when no
// CJK family is installed: text then falls back to the system's default).
QString applyProgramStyle(QApplication &app);

// The style sheet alone (for a window shown outside the application's style).
QString programStyleSheet();

} // namespace lumora::ui
