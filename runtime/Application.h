#pragma once

#include <memory>

#include <QObject>
#include <QString>

class QApplication;
class QWidget;

// The application object: owns the toolkit's application, carries the title that plain message boxes
// show, and runs the message loop until the main form closes. There is one, in the program and in each
// test program; the termination state below is process-wide.
class TApplication : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TApplication)

public:
    TApplication(int &argc, char **argv);
    ~TApplication() override;

    static TApplication *Instance();

    QString Title() const { return m_title; }
    void SetTitle(const QString &title);
    // The instance's title, or empty when there is no instance.
    static QString CurrentTitle();

    // Runs the message loop until a termination is requested; returns at once when one is pending.
    static int Run();

    // Closing the main form ends the program.
    static void SetMainForm(QWidget *form);
    static QWidget *MainForm();

    // Asks the program to end: a running message loop quits, open modal boxes close, and boxes shown
    // later close at once.
    static void Terminate();
    static bool Terminated();

private:
    std::unique_ptr<QApplication> m_application;
    QString m_title;
};
