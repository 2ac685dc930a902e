// SPDX-License-Identifier: MIT
// Plays the user inside the real program. Loaded by Qt as a generic plugin when the environment
// holds QT_QPA_GENERIC_PLUGINS=morvanedriver and names <build>/helpers/plugins in QT_PLUGIN_PATH;
// it then runs the steps of MORVANE_DRIVER_STEPS, separated by ';', one after the other:
//   check NAME       tick the check box NAME once it is shown
//   click NAME       click the button NAME once it is shown and enabled
//   trigger NAME     trigger the action NAME
//   wait-file PATH   go on once PATH exists
// A click that starts a game returns only when the game's wait ends, so the steps after it run
// during that wait, as a user's clicks would.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QGenericPlugin>
#include <QPointer>
#include <QTimer>

#include <functional>

namespace {

class Driver : public QObject
{
public:
    Driver()
    {
        m_steps = qEnvironmentVariable("MORVANE_DRIVER_STEPS").split(QLatin1Char(';'), Qt::SkipEmptyParts);
        connect(&m_timer, &QTimer::timeout, this, &Driver::tick);
        m_timer.start(20);
    }

private:
    static QAbstractButton* shownButton(const QString& name)
    {
        const auto widgets = QApplication::allWidgets();
        for (QWidget* w : widgets) {
            auto* button = qobject_cast<QAbstractButton*>(w);
            if (button && button->objectName() == name && button->isVisible() && button->isEnabled())
                return button;
        }
        return nullptr;
    }

    static QAction* action(const QString& name)
    {
        const auto windows = QApplication::topLevelWidgets();
        for (QWidget* w : windows) {
            if (auto* a = w->findChild<QAction*>(name))
                return a;
        }
        return nullptr;
    }

    // The step's action, or nothing while it cannot be done yet.
    std::function<void()> ready(const QString& step) const
    {
        const QString verb = step.section(QLatin1Char(' '), 0, 0);
        const QString arg = step.section(QLatin1Char(' '), 1);
        if (verb == QLatin1String("wait-file"))
            return QFileInfo::exists(arg) ? std::function<void()>([] {}) : nullptr;
        if (verb == QLatin1String("trigger")) {
            QPointer<QAction> a = action(arg);
            return a ? std::function<void()>([a] {
                if (a)
                    a->trigger();
            })
                     : nullptr;
        }
        if (verb != QLatin1String("check") && verb != QLatin1String("click"))
            return [step] { qWarning("morvanedriver: unknown step %s", qPrintable(step)); };
        QPointer<QAbstractButton> button = shownButton(arg);
        if (!button)
            return nullptr;
        const bool click = verb == QLatin1String("click");
        return [button, click] {
            if (!button)
                return;
            if (click)
                button->click();
            else
                button->setChecked(true);
        };
    }

    void tick()
    {
        if (m_next >= m_steps.size()) {
            m_timer.stop();
            return;
        }
        const std::function<void()> act = ready(m_steps.at(m_next));
        if (!act)
            return;
        ++m_next;
        // Run from the event loop rather than from here: a click may not return until a game ends,
        // and this timer does not fire again while its own slot runs.
        QTimer::singleShot(0, this, act);
    }

    QStringList m_steps;
    qsizetype m_next = 0;
    QTimer m_timer;
};

} // namespace

class ProgramDriverPlugin : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "ProgramDriver.json")
public:
    QObject* create(const QString& key, const QString&) override
    {
        return key.compare(QLatin1String("morvanedriver"), Qt::CaseInsensitive) == 0 ? new Driver : nullptr;
    }
};

#include "ProgramDriver.moc"
