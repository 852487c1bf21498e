#pragma once

#include <QDialog>
#include <QFutureWatcher>

class QLabel;
class QLineEdit;
class QPushButton;

// Where the window keeps its programming log: an SQLite file, or a PostgreSQL server named by a
// connection URI that several stations share. The connection test runs off the window's thread,
// since a server that does not answer takes seconds to say so.
class LogLocationDialog : public QDialog {
    Q_OBJECT
public:
    struct Probe {
        bool ok = false;
        QString message;
    };

    explicit LogLocationDialog(QWidget* parent = nullptr);

    QLineEdit* locationEdit() const { return m_location; }
    QPushButton* testButton() const { return m_test; }
    QLabel* testResult() const { return m_result; }

    // Opens the place setting names as a transfer would; safe from any thread.
    static Probe TestLocation(const QString& setting);

public slots:
    // Keeps the setting, unless it cannot be used or holds a password.
    void accept() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showResult(const QString& text);
    // Tall enough for every wrapped text at the present width.
    void fitHeight();
    void browse();
    void startTest();
    void showTest();

    QLineEdit* m_location;
    QPushButton* m_test;
    QLabel* m_result;
    QFutureWatcher<Probe> m_probe;
};
