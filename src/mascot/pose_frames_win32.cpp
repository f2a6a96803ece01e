#include <windows.h>

#include <string>

#include "app/clock_state_win32.h"
#include "mascot/figure_kind.h"
#include "mascot/pose_frames_win32.h"
#include "pictures/picture_reader_win32.h"
#include "settings/settings_win32.h"

void MakePoseFrames(const char* settingsPath, const char* section, PoseSource* source, ConstPixelView rest,
                    PoseFrameSet* frames) {
  for (int i = 0; i < kPoseCount; ++i) {
    const std::string name = kPoseKeyNames[i];
    char fileName[kTextBufferSize];
    ReadSettingString(settingsPath, section, ("FileName" + name).c_str(), fileName, "");
    DecodedPicture picture;
    if (fileName[0] == '\0' || LoadPictureFile(fileName, &picture) != PictureFault::kNone) continue;
    PosePicture pose;
    pose.picture = picture.pixels.view();
    ReadSettingInt(settingsPath, section, ("xPos" + name).c_str(), &pose.x, 0);
    ReadSettingInt(settingsPath, section, ("yPos" + name).c_str(), &pose.y, 0);
    pose.key = PreparePose({picture.pixels.view(), picture.cutByAlpha}, source->soft);
    if (!MakePoseFrame(source, pose, rest, &frames->frame[i])) frames->frame[i] = PoseFrame{};
  }
}
