// SPDX-License-Identifier: MIT
// The sound preview's module: the only code that links Qt Multimedia.
#include "platform/SoundPreview.h"

#include <QSoundEffect>
#include <QUrl>

namespace {

class EffectPreview final : public SoundPreview
{
public:
    EffectPreview()
    {
        QObject::connect(&m_effect, &QSoundEffect::statusChanged, &m_effect, [this] {
            if (m_effect.status() == QSoundEffect::Error && m_onError)
                m_onError();
        });
    }

    void play(const QString& file) override
    {
        m_effect.stop();
        m_effect.setSource(QUrl::fromLocalFile(file));
        m_effect.play();
    }
    void stop() override { m_effect.stop(); }
    void setErrorHandler(std::function<void()> handler) override { m_onError = std::move(handler); }

private:
    QSoundEffect m_effect;
    std::function<void()> m_onError;
};

} // namespace

extern "C" Q_DECL_EXPORT SoundPreview* morvane_make_sound_preview() { return new EffectPreview; }
