#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

// The find bar over the tree (Ctrl+F): a field, the previous and next
// buttons, and a word on the result ("nothing found" is said here, not in a
// box). Enter and F3 ask for the next match, Shift+F3 for the previous,
// Escape closes the bar.
class FindBar : public QWidget
{
    Q_OBJECT

public:
    explicit FindBar(QWidget *parent = nullptr);

    QString Text() const;
    // Shows the bar with the field focused and its text selected.
    void Open();
    void SetResult(const QString &text);
    QString Result() const;
    QLineEdit *Field() const { return m_Field; }

signals:
    void FindRequested(const QString &text, bool forward);
    void Closed();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLineEdit *m_Field;
    QLabel *m_Result;
};
