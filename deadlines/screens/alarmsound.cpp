#include "alarmsound.h"

#include "archive/paths.h"

#include <QAudioOutput>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QPointer>
#include <QUrl>

namespace {

// Qt Multimedia's player (GStreamer on Debian, MP3 through its good plugins).
// The player lives as long as the application: it is made on the first
// alarm and belongs to the application object.
class MediaAlarm : public AlarmSound {
public:
  void play(const QString& file) override {
    if (!QFileInfo(file).isFile() || !QCoreApplication::instance()) return;
    if (!player_) {
      player_ = new QMediaPlayer(QCoreApplication::instance());
      player_->setObjectName(QStringLiteral("MediaPlayer"));
      player_->setAudioOutput(new QAudioOutput(player_));
      // a file the player cannot read ends quietly
      QObject::connect(player_, &QMediaPlayer::errorOccurred, player_, [p = player_.data()] { p->stop(); });
    }
    player_->stop();
    player_->setSource(QUrl::fromLocalFile(file));
    player_->play();
  }
  void stop() override {
    if (player_) player_->stop();
  }

private:
  QPointer<QMediaPlayer> player_;
};

MediaAlarm& mediaAlarm() {
  static MediaAlarm m;
  return m;
}

AlarmSound* installed = nullptr;

} // namespace

namespace alarmsound {

AlarmSound& sound() { return installed ? *installed : mediaAlarm(); }
void setSound(AlarmSound* s) { installed = s; }
QString alarmFile() { return paths::inProgramFolder(QStringLiteral("Avviso.mp3")); }

} // namespace alarmsound
