// The figure's manners on the desktop: out of the way of full-screen
// programs, click-through and opacity, and the mute of the time events.
#ifndef TAVELIN_DESKTOP_MANNERS_WIN32_H
#define TAVELIN_DESKTOP_MANNERS_WIN32_H

#include <windows.h>

// Gives the window the layering, alpha and click-through that the figure's
// kind, nOpacity and fClickThrough ask for. Draws nothing and marks nothing.
void ApplyWindowLook(HWND hwnd);

// The same for a window already shown, which then shows its figure again.
void ChangeWindowLook(HWND hwnd);

// At every tick and when the item is toggled: stands aside while a
// full-screen program is in front of the figure, and comes back after.
void AsideCheck(HWND hwnd);

// The displays changed: the monitor that holds the figure is looked up anew.
void ForgetMonitor();

// Whether hide-on-mouse rests: while the clock stands aside or lets clicks through.
bool HideOnMouseRests();

// The menu command: mutes or unmutes the time events. Muting stops the
// sound that plays.
void ToggleMute(HWND hwnd);

// Sets the check marks of the manners (out of the way, click-through), of
// mute and of the opacity in use.
void MarkMannersMenu();

#endif
