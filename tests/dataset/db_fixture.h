#pragma once
// The binding suites run once on an SQLite file and once on the PostgreSQL server that
// ./qor.sh test starts (found through the QOR_PG_* variables). Each test builds its tables
// afresh: an order table (master) and an item table (detail) with constraints to trip over.
#include <gtest/gtest.h>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <memory>
#include "core/grid.h"
#include "platform/db/data_link.h"
#include "platform/db/database_error.h"
#include "platform/db/sql_dataset.h"

namespace qor::test {

enum class Backend { SQLite, PostgreSQL };

inline std::string BackendName(const ::testing::TestParamInfo<Backend> &info)
{
    return info.param == Backend::SQLite ? "SQLite" : "PostgreSQL";
}

class DbTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        static int serial = 0;
        m_name = QStringLiteral("qor_test_%1").arg(++serial);
        if (GetParam() == Backend::SQLite) {
            ASSERT_TRUE(m_dir.isValid());
            db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
            db.setDatabaseName(m_dir.filePath(QStringLiteral("orders.sqlite")));
        } else {
            const QByteArray socket = qgetenv("QOR_PG_SOCKET");
            if (socket.isEmpty())
                GTEST_SKIP() << "no PostgreSQL server: QOR_PG_SOCKET is not set (./qor.sh test starts one)";
            if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
                GTEST_FAIL() << "the Qt PostgreSQL driver is missing (package libqt6sql6-psql)";
            db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
            db.setHostName(QString::fromLocal8Bit(socket));
            db.setPort(qEnvironmentVariableIntValue("QOR_PG_PORT"));
            db.setUserName(qEnvironmentVariable("QOR_PG_USER"));
            db.setDatabaseName(qEnvironmentVariable("QOR_PG_DB"));
        }
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        createTables();
    }

    void TearDown() override
    {
        sources.clear();
        sets.clear();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }

    bool pg() const { return GetParam() == Backend::PostgreSQL; }

    void exec(const QString &sql)
    {
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(sql)) << sql.toStdString() << ": " << q.lastError().text().toStdString();
    }

    // One value read straight from the database, past every layer of ours.
    QVariant scalar(const QString &sql, const QVariantList &binds = {})
    {
        QSqlQuery q(db);
        q.prepare(sql);
        for (int i = 0; i < binds.size(); ++i)
            q.bindValue(i, binds[i]);
        if (!q.exec() || !q.next())
            return QStringLiteral("<%1>").arg(q.lastError().text());
        return q.value(0);
    }

    void createTables()
    {
        exec(QStringLiteral("DROP TABLE IF EXISTS items"));
        exec(QStringLiteral("DROP TABLE IF EXISTS orders"));
        const QString key = pg() ? QStringLiteral("SERIAL PRIMARY KEY") : QStringLiteral("INTEGER PRIMARY KEY");
        const QString bytes = pg() ? QStringLiteral("BYTEA") : QStringLiteral("BLOB");
        exec(QStringLiteral("CREATE TABLE orders (id %1, customer VARCHAR(40) NOT NULL, day DATE, number VARCHAR(12))").arg(key));
        exec(QStringLiteral("CREATE TABLE items (id %1, order_id INTEGER, name VARCHAR(40) NOT NULL, "
                            "qty INTEGER CHECK (qty >= 0), price DECIMAL(12,2), note TEXT, photo %2, paid BOOLEAN)")
                 .arg(key, bytes));
        exec(QStringLiteral("INSERT INTO orders (customer, day, number) VALUES ('华东公司', '2026-11-02', 'NO-001')"));
        exec(QStringLiteral("INSERT INTO orders (customer, day, number) VALUES ('北方贸易', '2026-11-05', 'NO-002')"));
    }

    // n items of order 1 named item1..itemN with qty i, price i * 1.5.
    void addItems(int n, int order = 1)
    {
        QSqlQuery q(db);
        q.prepare(QStringLiteral("INSERT INTO items (order_id, name, qty, price, paid) VALUES (?, ?, ?, ?, ?)"));
        for (int i = 1; i <= n; ++i) {
            q.bindValue(0, order);
            q.bindValue(1, QStringLiteral("item%1").arg(i));
            q.bindValue(2, i);
            q.bindValue(3, i * 1.5);
            q.bindValue(4, i % 2 == 0);
            ASSERT_TRUE(q.exec()) << q.lastError().text().toStdString();
        }
    }

    db::TSqlDataSet &table(const QString &name)
    {
        sets.push_back(std::make_unique<db::TSqlDataSet>(db));
        sets.back()->SetTableName(name);
        return *sets.back();
    }

    db::TDataSource &source(db::TDataSet &ds)
    {
        sources.push_back(std::make_unique<db::TDataSource>());
        sources.back()->SetDataSet(&ds);
        return *sources.back();
    }

    // Stops or starts the test server; false where there is none to control.
    static bool serverCtl(const char *what)
    {
        const QString ctl = qEnvironmentVariable("QOR_PG_CTL");
        return !ctl.isEmpty() && QProcess::execute(ctl, {QString::fromLatin1(what)}) == 0;
    }

    QSqlDatabase db;
    std::vector<std::unique_ptr<db::TDataSource>> sources;   // TearDown lets these go before the sets
    std::vector<std::unique_ptr<db::TSqlDataSet>> sets;

private:
    QTemporaryDir m_dir;
    QString m_name;
};

#define QOR_BOTH_BACKENDS(Suite) \
    INSTANTIATE_TEST_SUITE_P(Db, Suite, ::testing::Values(Backend::SQLite, Backend::PostgreSQL), BackendName)

} // namespace qor::test
