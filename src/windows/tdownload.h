// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lobby window, "Download The Quar77 Lobby", shown at a start without parameters: it
// offers to download and install the lobby program, to play solo, or to hand over to an
// installed lobby program.
//
// Download state: 1 while a download runs or after it completed, 2 when it was stopped or
// failed. Only a completed download (state still 1) runs the installer; a stop, a transport
// failure or a non-2xx answer never does.

#include <QFile>
#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;

namespace ui {

class HttpDownload;

class Tdownload : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "Download The Quar77 Lobby";

    explicit Tdownload(QWidget* parent = nullptr);
    ~Tdownload() override;

    int downloadState() const { return m_state; }
    QString statusLine1() const;
    QString statusLine2() const;
    // The file the installer goes to (valid once a download started).
    QString fileName() const { return m_fileName; }

    // How messages are shown ("An Error has Occurred.", the lobby hint); tests replace it.
    using MessageFn = std::function<void(QWidget* parent, const QString& text)>;
    void setMessageFn(MessageFn fn) { m_message = std::move(fn); }

signals:
    // End the program through the table window's exit command.
    void exitRequested();

public slots:
    void getbuttonClick();
    void abortbuttonClick();
    void Button1Click();
    void Button2Click();

private:
    void HttpCli1HeaderData();
    void HttpCli1DocBegin();
    void HttpCli1DocData(qint64 received);
    void requestDone(bool ok);
    void showEvent(QShowEvent* event) override;
    // Enter presses the focused button, or "Play Solo Game", the window's default button (a
    // plain window has no default button of its own).
    void keyPressEvent(QKeyEvent* event) override;

    HttpDownload* m_http = nullptr;
    QFile m_file;
    QString m_fileName;
    int m_state = 0;
    QLabel* m_status1 = nullptr;
    QLabel* m_status2 = nullptr;
    QPushButton* m_get = nullptr;
    QPushButton* m_abort = nullptr;
    QPushButton* m_solo = nullptr;
    MessageFn m_message;
    bool m_centred = false;
};

} // namespace ui
