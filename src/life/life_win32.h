// The living figure on the window: the reaction rule's answers carried out
// (poses drawn by their rectangles, motions made by moving the window) and
// what the rule needs read from the system (input, session, display, power).
#ifndef TAVELIN_LIFE_LIFE_WIN32_H
#define TAVELIN_LIFE_LIFE_WIN32_H

#include <windows.h>

#include "life/reaction.h"
#include "mascot/pose_frames.h"
#include "pictures/pixel_buffer.h"

// Timers of the living figure: one shot for the rule's next time, and the
// motion's steps while a motion runs.
constexpr UINT_PTR ID_LIFETIMER = 10;
constexpr UINT_PTR ID_MOTIONTIMER = 11;

// After the first load: asks for the session and display notices and starts
// the blinks if fAnimate is on. StopLife undoes it at shutdown.
void StartLife(HWND hwnd);
void StopLife(HWND hwnd);

// A load's frames take the place of the previous ones.
void TakePoseFrames(PoseFrameSet* frames);

// The pose shown, drawn over the figure's pixels `pixels`, which hold the
// window's rectangle `rect`. Called by the repaint before the hands go on.
void DrawPoseOver(PixelView pixels, const RECT& rect);

// Every clock tick, with the hour the tick read: input, quiet hours and the
// pauses the window can see.
void LifeTick(HWND hwnd, int hour);

// The window's timers of the living figure; false for any other timer.
bool OnLifeTimer(HWND hwnd, UINT_PTR id);

// A left press on the figure: the drag, and a click when the pointer moved
// less than the drag threshold and the window stayed.
void DragOrClick(HWND hwnd);

// The time events: a ringing begins and ends (a sound, a message open); the
// chime of the full hour.
void LifeRingStarts(HWND hwnd);
void LifeRingEnds(HWND hwnd);
void LifeFullHour(HWND hwnd);

// Session and power notices (WM_WTSSESSION_CHANGE, WM_POWERBROADCAST).
void OnSessionChange(HWND hwnd, WPARAM change);
void OnPowerNotice(HWND hwnd, WPARAM event, LPARAM data);

// The menu item: fAnimate toggled. Off, the figure is the still figure.
void ToggleAnimate(HWND hwnd);
void MarkAnimateMenu();

// A motion under way ends, the window back at its rest place.
void EndMotion(HWND hwnd);

// What a test looks at: the pose shown and the window rectangle of a pose's
// frame (empty when absent).
Pose ShownPose();
RECT PoseFrameRect(Pose pose);

#endif
