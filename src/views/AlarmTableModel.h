#pragma once

#include <QAbstractTableModel>
#include <QBasicTimer>
#include <QDateTime>
#include <QHash>
#include <QStringList>
#include <QVector>

#include <functional>
#include <vector>

// The rows of one alarm table, newest on top. A storm changes the rows thousands of times a second, and a view
// redoes its layout for every change it is told of; so the rows change at once, and the views are told once per
// round, at Publish, of what the round inserted at the top, removed anywhere and changed. Texts are made when a
// cell is painted.
class AlarmTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        Start,
        End,
        Duration,
        Device,
        Ip,
        Signal,
        Port,
        Type,
        Sound,
        Detail,
        Ack
    };

    struct Row
    {
        // Finds the row again; a row without one is only shown, never looked up (a history's).
        QString key;
        QDateTime start;
        QDateTime end;
        QString deviceName;
        QString ip;
        QString signalName;
        QString detail;
        QString ack;
        int portType = 0;
        int portID = 0;
        int alarmType = 0;
        int level = 0;
        bool sound = false;
        // Ended but kept on screen: grey instead of its level's colour.
        bool returned = false;
        bool removed = false;
    };

    // Level colours show in the Type column of current tables only; the history's rows are over.
    AlarmTableModel(const QVector<Column>& columns, bool levelColours, QObject* parent = nullptr);
    ~AlarmTableModel() override;

    void SetHeaders(const QStringList& headers);
    void SetCheckMark(const QString& mark) { m_checkMark = mark; }
    // The oldest rows beyond it leave at the next Publish; 0 keeps every row.
    void SetRowLimit(int limit);
    // How long changes wait for Publish: none, until control returns to the event loop, or a storm's pace.
    void SetPublishDelay(int delayMs) { m_publishDelayMs = delayMs; }

    void InsertTop(const Row& row);
    // The topmost row of the key, to change in place; null when the key has no row. Call Changed afterwards.
    Row* TopRow(const QString& key);
    void Changed();
    bool RemoveTop(const QString& key);
    void RemoveAll(const QString& key);
    // Every row not removed, to change in place; marks the table changed.
    void ForEachRow(const std::function<void(Row&)>& change);
    void Clear();
    // Rows present now, published or not.
    int Count() const { return m_count; }

    Column ColumnAt(int column) const { return m_columns.value(column, Start); }
    // The rows as the views see them, until the next Publish.
    const Row* ShownRow(int row) const;
    // Tells the views of every change since the last call; also called by itself once control returns to the
    // event loop.
    void Publish();
    // Every text again, after a language change.
    void Retranslate();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    QString Text(const Row& row, Column column) const;
    void Remove(Row* row);
    void SchedulePublish();
    void MoveRemovedToBottom(int kept);
    void TrimToLimit();

    const QVector<Column> m_columns;
    const bool m_levelColours;
    QStringList m_headers;
    QString m_checkMark;
    int m_rowLimit = 0;
    // Published rows, top first; a removed one stays until the next Publish takes it out.
    std::vector<Row*> m_shown;
    // Inserted since the last Publish, oldest first.
    std::vector<Row*> m_fresh;
    // Each key's rows present, oldest first: the last is the topmost.
    QHash<QString, std::vector<Row*>> m_rowsOfKey;
    int m_count = 0;
    bool m_changed = false;
    int m_publishDelayMs = 0;
    // A Publish is on its way: posted, or timed when there is a delay.
    bool m_publishQueued = false;
    QBasicTimer m_publishTimer;
};
