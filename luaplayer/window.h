#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include <vector>

// The console's screen, at twice its size when the window opens, and its keyboard as the pad.
// The picture fills the window at any size, each pixel of the window showing the picture's
// pixel under its centre, so that pixels stay whole and sharp.
class PlayerWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int scale = 2;

    explicit PlayerWindow(const QImage &screen);

    // Shows the screen (ARGB32, opaque). Only what differs from the picture on show is scaled
    // and redrawn, so a picture that does not change costs no redraw, at any window size.
    // False when nothing changed.
    bool present(const QImage &screen);
    // The run ended in an error: the message and where it happened, over the last screen.
    void showError(const QString &message, const QString &traceback);
    unsigned held() const { return m_held; }
    bool quitRequested() const { return m_quit; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void rescale();
    // Scales an area of the picture into m_scaled; returns the window's pixels that show it.
    QRect scaleArea(const QRect &area);

    QImage m_screen; // the picture on show, a copy of its own
    QImage m_scaled; // the same at the window's size, ready to paint as it is
    std::vector<int> m_columns; // the picture's column that each column of the window shows
    std::vector<int> m_rows;    // and the same for the rows
    QString m_error;
    QString m_traceback;
    unsigned m_held = 0;
    bool m_quit = false;
};
