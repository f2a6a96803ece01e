// The pose frames of a character load, read from its section.
#ifndef TAVELIN_MASCOT_POSE_FRAMES_WIN32_H
#define TAVELIN_MASCOT_POSE_FRAMES_WIN32_H

#include "mascot/pose_frames.h"

// Reads each pose the section names and makes its frame from `source` for the
// rest figure `rest`. A pose that is missing, unreadable, over the limits or
// wholly outside the character is left empty: the figure loads without it.
void MakePoseFrames(const char* settingsPath, const char* section, PoseSource* source, ConstPixelView rest,
                    PoseFrameSet* frames);

#endif
