#pragma once

#include <QObject>
#include <QStringList>

class QMenu;

namespace quarry::ui {

// File > Open Recent: the last eight images opened, newest first, kept in
// the user's settings between sessions.
class RecentFiles : public QObject {
    Q_OBJECT

public:
    static constexpr int kMaximum = 8;

    explicit RecentFiles(QMenu* menu, QObject* parent = nullptr);

    QStringList files() const;
    // The list as remembered, without a menu.
    static QStringList remembered();
    // An image was opened: it goes to the top.
    void add(const QString& path);
    void remove(const QString& path);

signals:
    void chosen(const QString& path);
    // The list changed (an image added or taken off).
    void changed();

private:
    void store(const QStringList& files);
    void rebuild();

    QMenu* menu_;
};

} // namespace quarry::ui
