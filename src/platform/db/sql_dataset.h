#pragma once
// A data set over a Qt SQL connection: the rows of a table or of a SELECT, written back
// through parameterised statements keyed by the primary key.
#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <memory>
#include "platform/db/dataset.h"

namespace qor::db {

class TDataSource;

class QOR_EXPORT TSqlDataSet : public TDataSet {
    Q_OBJECT
public:
    explicit TSqlDataSet(const QSqlDatabase &db, QObject *parent = nullptr);
    ~TSqlDataSet() override;

    QSqlDatabase Database() const { return m_db; }
    // Every row of the table, ordered by its key; writes go to the table.
    void SetTableName(const QString &table);
    // The rows of a query; read-only unless an update table is named. Placeholders ":name"
    // take the master record's field of that name.
    void SetSelect(const QString &sql);
    void SetUpdateTable(const QString &table);
    // The key of the update table; by default its primary key.
    void SetKeyFields(const QStringList &fields) { m_keyFields = fields; }
    QStringList KeyFields() const { return m_keyFields; }
    // A detail shows the records whose detail fields equal the master record's fields, and
    // follows the master's cursor.
    void SetMasterSource(TDataSource *source, const QStringList &masterFields, const QStringList &detailFields);
    // The type a field gets instead of what the driver reports (dates and money kept as text
    // or numbers in SQLite, memos, pictures).
    void SetFieldType(const QString &field, TFieldType type) { m_typeOverrides.insert(field.toLower(), type); }
    // Fetches this many records at a time instead of all at once (0: all when opened).
    void SetPacketRecords(int n) { m_packet = std::max(0, n); }

    bool CanModify() const override;
    bool CountsFetchedOnly() const override { return m_packet > 0; }

protected:
    void InternalOpen() override;
    void InternalClose() override;
    void InternalPost(bool inserting, const std::vector<QVariant> &old, std::vector<QVariant> &values) override;
    void InternalDelete(const std::vector<QVariant> &values) override;
    bool FetchMore() override;
    void InitRecord(std::vector<QVariant> &values) override;

private:
    class MasterLink;
    friend class MasterLink;
    // Runs a statement, binding by position (named: ":field" from the master fields); a lost
    // connection is opened again once and the statement retried.
    QSqlQuery run(const QString &sql, const QVariantList &binds, bool named = false, bool forwardOnly = true);
    QString quoted(const QString &identifier) const;
    QString selectText() const;
    QVariantList masterValues() const;
    TFieldType typeOf(const QString &name, int metaType, int length) const;
    void readDeclaredTypes();
    void fetchRows(int limit);
    void keyWhere(const std::vector<QVariant> &values, QString &sql, QVariantList &binds) const;
    void masterMoved();

    QSqlDatabase m_db;
    QString m_table;
    QString m_select;
    QString m_updateTable;
    QStringList m_keyFields;
    QStringList m_masterFields, m_detailFields;
    std::unique_ptr<MasterLink> m_masterLink;
    QHash<QString, TFieldType> m_typeOverrides;
    QHash<QString, TFieldType> m_declared;   // from the table's declared column types
    QSqlQuery m_fetch;                       // the open cursor while fetching on demand
    bool m_fetching = false;
    int m_packet = 0;
};

} // namespace qor::db
