#pragma once

#include <QMutex>
#include <QStringList>

namespace Cli {

// The terminal's view of the transfers: one port gets the progress bar and its messages as they
// come; several ports get a line each, redrawn in place on a terminal, and their messages after
// the last one finished, so that nothing tears the lines apart.
class ProgressBoard {
public:
    explicit ProgressBoard(const QStringList& ports);
    ~ProgressBoard();
    ProgressBoard(const ProgressBoard&) = delete;
    ProgressBoard& operator=(const ProgressBoard&) = delete;

    bool single() const { return m_ports.size() == 1; }

    void Progress(int row, int done, int total, const QString& stage);
    void Done(int row, const QString& result);
    void Message(int row, const QString& text, const QString& detail = QString());
    // The messages held back, in port order.
    void Flush();

private:
    void Redraw();
    void EndBar();

    QMutex m_mutex;
    QStringList m_ports;
    QStringList m_lines;
    QList<QStringList> m_messages;
    bool m_tty;
    bool m_barShown = false;
    bool m_drawn = false;
    QString m_stage;
};

} // namespace Cli
