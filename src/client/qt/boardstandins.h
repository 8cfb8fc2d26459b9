#pragma once
// Simple painted pieces for the board, used until the shared widget set lands: each class
// offers the same calls as its counterpart in widgets/, so swapping is a change of namespace
// in boardview.cpp.

#include <QAbstractButton>
#include <QWidget>

namespace ui::standin {

class DieView : public QWidget {
    Q_OBJECT
public:
    enum class Body { Plain = 7, Bonus = 8 };
    explicit DieView(QWidget* parent = nullptr) : QWidget(parent) {}
    void draw(int face, Body body = Body::Plain);
    void clear();
    bool isCleared() const { return !m_drawn; }
    int face() const { return m_face; }
    Body body() const { return m_body; }
signals:
    void mouseReleased(Qt::MouseButton button);
protected:
    void paintEvent(QPaintEvent*) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
private:
    bool m_drawn = false;
    int m_face = 0;
    Body m_body = Body::Plain;
};

class RollsIndicator : public QWidget {
    Q_OBJECT
public:
    explicit RollsIndicator(QWidget* parent = nullptr) : QWidget(parent) {}
    void setRolls(int rolls);
    int rolls() const { return m_rolls; }
protected:
    void paintEvent(QPaintEvent*) override;
private:
    int m_rolls = 0;
};

class MarkView : public QWidget {
    Q_OBJECT
public:
    enum class Kind { Eyes, NotPlaying, Winner, Bonus, Category };
    explicit MarkView(Kind kind, QWidget* parent = nullptr);
    Kind kind() const { return m_kind; }
protected:
    void paintEvent(QPaintEvent*) override;
private:
    Kind m_kind;
};

class RotatedLabel : public QWidget {
    Q_OBJECT
public:
    explicit RotatedLabel(QWidget* parent = nullptr) : QWidget(parent) {}
    void setText(const QString& text);
    QString text() const { return m_text; }
    void setTextColor(const QColor& c);
signals:
    void mouseReleased(Qt::MouseButton button, const QPoint& globalPos);
protected:
    void paintEvent(QPaintEvent*) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
private:
    QString m_text;
    QColor m_colour = Qt::black;
};

class CategoryButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit CategoryButton(int category, QWidget* parent = nullptr);
    int category() const { return m_category; }
    void setSelectable(bool s);
    bool isSelectable() const { return m_selectable; }
protected:
    void paintEvent(QPaintEvent*) override;
private:
    int m_category;
    bool m_selectable = false;
};

class CategoryBar : public QAbstractButton {
    Q_OBJECT
public:
    explicit CategoryBar(int category, QWidget* parent = nullptr);
    int category() const { return m_category; }
    void setSelectable(bool s);
    bool isSelectable() const { return m_selectable; }
protected:
    void paintEvent(QPaintEvent*) override;
private:
    int m_category;
    bool m_selectable = false;
};

class ColumnHighlight : public QWidget {
    Q_OBJECT
public:
    explicit ColumnHighlight(QWidget* parent = nullptr);
protected:
    void paintEvent(QPaintEvent*) override;
};

class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit PictureButton(const QString& text, QWidget* parent = nullptr);
protected:
    void paintEvent(QPaintEvent*) override;
};

} // namespace ui::standin
