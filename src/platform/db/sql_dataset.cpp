#include "platform/db/sql_dataset.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlIndex>
#include <QSqlRecord>
#include "platform/db/data_link.h"
#include "platform/db/database_error.h"

namespace qor::db {

// Follows the master's cursor: a new master record reads the detail's records again.
class TSqlDataSet::MasterLink : public TDataLink {
public:
    explicit MasterLink(TSqlDataSet &detail) : m_detail(detail) {}
    QVariantList last;

protected:
    void ActiveChanged() override { m_detail.masterMoved(); }
    void DataSetChanged() override { m_detail.masterMoved(); }
    void DataSetScrolled(int) override { m_detail.masterMoved(); }

private:
    TSqlDataSet &m_detail;
};

namespace {

TFieldType fromMetaType(int id, int length)
{
    switch (id) {
    case QMetaType::Short: case QMetaType::UShort: case QMetaType::Char: case QMetaType::SChar: case QMetaType::UChar:
        return ftSmallint;
    case QMetaType::Int: case QMetaType::UInt:
        return ftInteger;
    case QMetaType::LongLong: case QMetaType::ULongLong:
        return ftLargeint;
    case QMetaType::Double: case QMetaType::Float:
        return ftFloat;
    case QMetaType::Bool:
        return ftBoolean;
    case QMetaType::QDate:
        return ftDate;
    case QMetaType::QTime:
        return ftTime;
    case QMetaType::QDateTime:
        return ftDateTime;
    case QMetaType::QByteArray:
        return ftBlob;
    case QMetaType::QString:
        return length > 0 && length <= 8000 ? ftString : ftMemo;
    default:
        return ftString;
    }
}

// SQLite keeps a column's declared type only as a word: read it the way its affinity rules do,
// with the names business tables use for dates and money.
TFieldType fromDeclared(const QString &decl)
{
    const QString t = decl.toUpper();
    if (t.contains(QLatin1String("BIGINT")))
        return ftLargeint;
    if (t.contains(QLatin1String("BOOL")))
        return ftBoolean;
    if (t.contains(QLatin1String("INT")))
        return ftInteger;
    if (t.contains(QLatin1String("DATETIME")) || t.contains(QLatin1String("TIMESTAMP")))
        return ftDateTime;
    if (t.contains(QLatin1String("DATE")))
        return ftDate;
    if (t.contains(QLatin1String("TIME")))
        return ftTime;
    if (t.contains(QLatin1String("MONEY")) || t.contains(QLatin1String("CURRENCY")) || t.contains(QLatin1String("DECIMAL")) || t.contains(QLatin1String("NUMERIC")))
        return ftCurrency;
    if (t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("FLOA")) || t.contains(QLatin1String("DOUB")))
        return ftFloat;
    if (t.contains(QLatin1String("MEMO")) || t == QLatin1String("TEXT") || t.contains(QLatin1String("CLOB")))
        return ftMemo;
    if (t.contains(QLatin1String("IMAGE")) || t.contains(QLatin1String("PICTURE")) || t.contains(QLatin1String("GRAPHIC")))
        return ftGraphic;
    if (t.contains(QLatin1String("BLOB")))
        return ftBlob;
    return ftString;
}

bool sameValue(const QVariant &a, const QVariant &b)
{
    return a.isNull() == b.isNull() && (a.isNull() || a == b);
}

} // namespace

TSqlDataSet::TSqlDataSet(const QSqlDatabase &db, QObject *parent) : TDataSet(parent), m_db(db) {}

TSqlDataSet::~TSqlDataSet()
{
    Close();
    m_masterLink.reset();
}

void TSqlDataSet::SetTableName(const QString &table)
{
    m_table = table;
    m_updateTable = table;
    m_select.clear();
}

void TSqlDataSet::SetSelect(const QString &sql)
{
    m_select = sql;
    m_table.clear();
}

void TSqlDataSet::SetUpdateTable(const QString &table) { m_updateTable = table; }

void TSqlDataSet::SetMasterSource(TDataSource *source, const QStringList &masterFields, const QStringList &detailFields)
{
    m_masterFields = masterFields;
    m_detailFields = detailFields;
    if (!source) {
        m_masterLink.reset();
        return;
    }
    if (!m_masterLink)
        m_masterLink = std::make_unique<MasterLink>(*this);
    m_masterLink->SetDataSource(source);
}

bool TSqlDataSet::CanModify() const
{
    return TDataSet::CanModify() && !m_updateTable.isEmpty() && !m_keyFields.isEmpty() && !IsUniDirectional();
}

QString TSqlDataSet::quoted(const QString &identifier) const
{
    return m_db.driver() ? m_db.driver()->escapeIdentifier(identifier, QSqlDriver::FieldName) : identifier;
}

QVariantList TSqlDataSet::masterValues() const
{
    QVariantList values;
    TDataSet *master = m_masterLink ? m_masterLink->DataSet() : nullptr;
    for (const QString &name : m_masterFields) {
        TField *f = master && master->Active() && master->RecordCount() > 0 ? master->FindField(name) : nullptr;
        values << (f ? f->Value() : QVariant());
    }
    return values;
}

QString TSqlDataSet::selectText() const
{
    if (!m_select.isEmpty())
        return m_select;
    QString sql = QStringLiteral("SELECT * FROM ") + quoted(m_table);
    if (m_masterLink) {
        QStringList conditions;
        for (const QString &f : m_detailFields)
            conditions << quoted(f) + QStringLiteral(" = ?");
        if (!conditions.isEmpty())
            sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    }
    if (!m_keyFields.isEmpty()) {
        QStringList order;
        for (const QString &k : m_keyFields)
            order << quoted(k);
        sql += QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));
    }
    return sql;
}

QSqlQuery TSqlDataSet::run(const QString &sql, const QVariantList &binds, bool named, bool forwardOnly)
{
    for (int attempt = 0;; ++attempt) {
        if (!m_db.isOpen() && !m_db.open())
            throw EDatabaseError(QStringLiteral("无法连接数据库：%1").arg(m_db.lastError().text()));
        QSqlQuery q(m_db);
        q.setForwardOnly(forwardOnly);
        if (q.prepare(sql)) {
            if (named) {
                for (int i = 0; i < m_masterFields.size() && i < binds.size(); ++i)
                    q.bindValue(QLatin1Char(':') + m_masterFields[i], binds[i]);
            } else {
                for (int i = 0; i < binds.size(); ++i)
                    q.bindValue(i, binds[i]);
            }
            if (q.exec())
                return q;
        }
        const QSqlError error = q.lastError();
        // A server that went away leaves the connection unusable; one reconnect tells a lost
        // connection from a refused statement.
        if (attempt == 0) {
            QSqlQuery probe(m_db);
            if (!m_db.isOpen() || !probe.exec(QStringLiteral("SELECT 1"))) {
                m_db.close();
                if (m_db.open())
                    continue;
                throw EDatabaseError(QStringLiteral("数据库连接已断开：%1").arg(m_db.lastError().text()));
            }
        }
        throw EDatabaseError(error.text().trimmed().isEmpty() ? QStringLiteral("数据库拒绝了该操作") : error.text().trimmed());
    }
}

void TSqlDataSet::readDeclaredTypes()
{
    m_declared.clear();
    const QString table = m_updateTable.isEmpty() ? m_table : m_updateTable;
    if (table.isEmpty() || m_db.driverName() != QLatin1String("QSQLITE"))
        return;
    QSqlQuery q = run(QStringLiteral("PRAGMA table_info(%1)").arg(quoted(table)), {});
    while (q.next())
        m_declared.insert(q.value(1).toString().toLower(), fromDeclared(q.value(2).toString()));
}

TFieldType TSqlDataSet::typeOf(const QString &name, int metaType, int length) const
{
    const QString key = name.toLower();
    if (auto it = m_typeOverrides.find(key); it != m_typeOverrides.end())
        return *it;
    if (auto it = m_declared.find(key); it != m_declared.end())
        return *it;
    return fromMetaType(metaType, length);
}

void TSqlDataSet::InternalOpen()
{
    if (m_table.isEmpty() && m_select.isEmpty())
        throw EDatabaseError(QStringLiteral("没有指定表名或查询语句"));
    if (!m_db.isOpen() && !m_db.open())
        throw EDatabaseError(QStringLiteral("无法连接数据库：%1").arg(m_db.lastError().text()));
    const QString table = m_updateTable.isEmpty() ? m_table : m_updateTable;
    if (m_keyFields.isEmpty() && !table.isEmpty()) {
        const QSqlIndex pk = m_db.primaryIndex(table);
        for (int i = 0; i < pk.count(); ++i)
            m_keyFields << pk.fieldName(i);
    }
    readDeclaredTypes();
    const QVariantList binds = m_masterLink ? masterValues() : QVariantList();
    if (m_masterLink)
        m_masterLink->last = binds;
    // Forward-only spares SQLite's driver a second copy of every row; the PostgreSQL driver
    // fetches such a query one row per round trip, and all rows at once otherwise.
    const bool forwardOnly = m_db.driverName() != QLatin1String("QPSQL");
    m_fetch = run(selectText(), binds, m_masterLink && !m_select.isEmpty(), forwardOnly);
    const QSqlRecord rec = m_fetch.record();
    // A query's columns that the update table does not have (expressions, joined columns) are
    // shown, never written.
    const QSqlRecord writable = !m_select.isEmpty() && !m_updateTable.isEmpty() ? m_db.record(m_updateTable) : rec;
    for (int i = 0; i < rec.count(); ++i) {
        const QSqlField f = rec.field(i);
        TField &field = AddField(f.name(), typeOf(f.name(), f.metaType().id(), f.length()));
        if (f.isAutoValue())
            field.SetReadOnly(true);
        if (!writable.contains(f.name())) {
            field.SetReadOnly(true);
            field.SetFieldKind(fkCalculated);
        }
    }
    m_fetching = true;
    fetchRows(m_packet > 0 ? m_packet : -1);
}

void TSqlDataSet::fetchRows(int limit)
{
    const int n = FieldCount();
    int got = 0;
    while ((limit < 0 || got < limit) && m_fetch.next()) {
        std::vector<QVariant> values(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i)
            values[size_t(i)] = m_fetch.value(i);
        AddRecord(std::move(values));
        ++got;
    }
    if (limit < 0 || got < limit) {
        m_fetch = QSqlQuery();
        m_fetching = false;
    }
}

bool TSqlDataSet::FetchMore()
{
    if (!m_fetching)
        return false;
    fetchRows(m_packet > 0 ? m_packet : -1);
    return true;
}

void TSqlDataSet::InternalClose()
{
    m_fetch = QSqlQuery();
    m_fetching = false;
}

void TSqlDataSet::keyWhere(const std::vector<QVariant> &values, QString &sql, QVariantList &binds) const
{
    QStringList conditions;
    for (const QString &k : m_keyFields) {
        TField *f = FindField(k);
        if (!f)
            throw EDatabaseError(QStringLiteral("查询结果中没有关键字段 %1").arg(k));
        conditions << quoted(f->FieldName()) + QStringLiteral(" = ?");
        binds << values[size_t(f->Index())];
    }
    sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
}

void TSqlDataSet::InternalPost(bool inserting, const std::vector<QVariant> &old, std::vector<QVariant> &values)
{
    if (!CanModify())
        throw EDatabaseError(QStringLiteral("不能修改只读数据集"));
    QStringList columns;
    QVariantList binds;
    for (int i = 0; i < FieldCount(); ++i) {
        const TField *f = Fields(i);
        if (f->FieldKind() != fkData)
            continue;
        const QVariant &v = values[size_t(i)];
        if (inserting ? v.isNull() : sameValue(v, old[size_t(i)]))
            continue;
        columns << quoted(f->FieldName());
        binds << v;
    }
    if (inserting) {
        QString sql = QStringLiteral("INSERT INTO ") + quoted(m_updateTable);
        if (columns.isEmpty()) {
            sql += QStringLiteral(" DEFAULT VALUES");
        } else {
            QStringList marks;
            for (int i = 0; i < columns.size(); ++i)
                marks << QStringLiteral("?");
            sql += QStringLiteral(" (") + columns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                   marks.join(QStringLiteral(", ")) + QLatin1Char(')');
        }
        // What the database filled in (keys, defaults) comes back with the row.
        sql += QStringLiteral(" RETURNING *");
        QSqlQuery q = run(sql, binds);
        if (q.next()) {
            const QSqlRecord rec = q.record();
            for (int i = 0; i < rec.count(); ++i)
                if (TField *f = FindField(rec.fieldName(i)))
                    values[size_t(f->Index())] = q.value(i);
        }
        return;
    }
    if (columns.isEmpty())
        return;
    QString sql = QStringLiteral("UPDATE ") + quoted(m_updateTable) + QStringLiteral(" SET ");
    QStringList sets;
    for (const QString &c : columns)
        sets << c + QStringLiteral(" = ?");
    sql += sets.join(QStringLiteral(", "));
    keyWhere(old, sql, binds);
    QSqlQuery q = run(sql, binds);
    if (q.numRowsAffected() == 0)
        throw EDatabaseError(QStringLiteral("记录已被其他用户修改或删除"));
}

void TSqlDataSet::InternalDelete(const std::vector<QVariant> &values)
{
    if (!CanModify())
        throw EDatabaseError(QStringLiteral("不能修改只读数据集"));
    QString sql = QStringLiteral("DELETE FROM ") + quoted(m_updateTable);
    QVariantList binds;
    keyWhere(values, sql, binds);
    QSqlQuery q = run(sql, binds);
    if (q.numRowsAffected() == 0)
        throw EDatabaseError(QStringLiteral("记录已被其他用户修改或删除"));
}

void TSqlDataSet::InitRecord(std::vector<QVariant> &values)
{
    if (!m_masterLink)
        return;
    const QVariantList master = masterValues();
    for (int i = 0; i < m_detailFields.size() && i < master.size(); ++i)
        if (TField *f = FindField(m_detailFields[i]))
            values[size_t(f->Index())] = master[i];
}

void TSqlDataSet::masterMoved()
{
    if (!Active() || masterValues() == m_masterLink->last)
        return;
    CheckBrowseMode();
    Reload(false);
}

} // namespace qor::db
