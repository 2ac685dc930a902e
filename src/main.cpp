// SPDX-License-Identifier: MIT
#include "app/Language.h"
#include "app/ProgramStyle.h"
#include "app/TMainForm.h"
#include "app/TrayController.h"
#include "platform/AppPaths.h"
#include "platform/HttpTask.h"
#include "platform/QtPrompter.h"
#include "platform/ShownProbe.h"
#include "platform/SignalHandler.h"
#include "platform/SingleInstance.h"
#include "platform/UiFont.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

namespace {

// Everything but the application object: the windows are gone when it returns.
int runProgram()
{
    QApplication::setApplicationName(QStringLiteral("Morvane"));
    // Over the style the application would take, a -style argument or QT_STYLE_OVERRIDE included.
    QApplication::setStyle(new ProgramStyle(QApplication::style()));
    QApplication::setWindowIcon(TrayController::programIcon());
    // Wayland finds the menu entry, and so the icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.morvane.morvane"));
    // Hidden into the notification area the window is not "closed": only our own end quits.
    QApplication::setQuitOnLastWindowClosed(false);

    // Before anything can answer a second copy: an end asked for from then on must not kill us.
    SignalHandler terminations;

    SingleInstance instance(QStringLiteral("Morvane_Mutex"));
    if (!instance.start())
        return 0; // the running copy comes to the front; this one writes nothing

    const QString programFolder = apppaths::programFolder();
    // Before the first window: every text is translated as it is made.
    language::install(language::chosen(programFolder));
    QApplication::setFont(uiFont());

    QDir().mkpath(programFolder);
    // Files addressed relative to the working folder land in the program folder too.
    QDir::setCurrent(programFolder);

    QtPrompter prompter;
    TMainForm form(prompter, programFolder);
    prompter.setOwner(&form);
    QObject::connect(&instance, &SingleInstance::activationRequested, &form, &TMainForm::bringToFront);
    QObject::connect(&terminations, &SignalHandler::terminationRequested, &form, &TMainForm::endSession);
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &form,
                     [&form](QSessionManager&) { form.endSession(); });

    form.FormCreate();
    ShownProbe::attach(&form);
    form.show();
    if (form.endRequested())
        QTimer::singleShot(0, &form, &TMainForm::Exit1Click);
    const int code = QApplication::exec();
    form.FormDestroy();
    return code;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int code = runProgram();
    HttpTask::endProgramIfLookUpsRun(code);
    return code;
}
