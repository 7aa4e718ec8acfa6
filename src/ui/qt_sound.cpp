#include "ui/qt_sound.h"

#include "ui/qt_text.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QSoundEffect>
#include <QUrl>

namespace vonalor {

void QtSound::messageBeep(unsigned /*style*/) {
    QApplication::beep();
}

void QtSound::playFile(const std::string& path, bool wait) {
    const QString file = qs(path);
    if (!QFile::exists(file))
        return;
    auto* effect = new QSoundEffect(qApp);
    effect->setSource(QUrl::fromLocalFile(file));
    QEventLoop loop;
    auto finish = [effect, &loop, wait] {
        const bool ended = !effect->isPlaying() && effect->status() != QSoundEffect::Loading;
        if (ended || effect->status() == QSoundEffect::Error) {
            if (wait)
                loop.quit();
            effect->deleteLater();
        }
    };
    if (wait) {
        QObject::connect(effect, &QSoundEffect::playingChanged, &loop, finish);
        QObject::connect(effect, &QSoundEffect::statusChanged, &loop, finish);
    } else {
        QObject::connect(effect, &QSoundEffect::playingChanged, effect, [effect] {
            if (!effect->isPlaying())
                effect->deleteLater();
        });
    }
    effect->play();
    if (wait && (effect->isPlaying() || effect->status() == QSoundEffect::Loading))
        loop.exec();
}

} // namespace vonalor
