// The alarm of the reminders: a sound file loaded and played once without
// waiting, and stopped. The deadline screen reaches it through
// alarmsound::sound(); tests put a recording double there, so no sound card
// is needed to tell whether the alarm was asked for.
#pragma once

#include <QString>

class AlarmSound {
public:
  virtual ~AlarmSound() = default;
  // Loads the file and starts playing it once; returns at once. A missing
  // or unplayable file plays nothing and says nothing.
  virtual void play(const QString& file) = 0;
  // Stops the sound, if one is loaded.
  virtual void stop() = 0;
};

namespace alarmsound {

// The sound in use: the media player unless a test installed its own.
AlarmSound& sound();
// Replace the sound (not owned); nullptr restores the media player.
void setSound(AlarmSound* sound);

// "Avviso.mp3" in the program folder.
QString alarmFile();

} // namespace alarmsound
