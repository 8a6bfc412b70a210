#include "store/SQLiteStore.h"

#include "foundation/Diagnostics.h"
#include "store/EntityDescription.h"
#include "store/ManagedObjectModel.h"
#include "store/SQLiteStoreFiles.h"
#include "store/ValueTransformer.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QUrl>
#include <QUuid>
#include <SQLiteCpp/SQLiteCpp.h>
#include <algorithm>
#include <limits>
#include <sqlite3.h>

namespace store {

namespace {

// Raised inside a save to abandon its transaction with a message for the user.
struct SaveFailure
{
    QString message;
};

// Resets a kept statement when its read ends, however it ends, so that it holds no read open.
class ReadStatement
{
public:
    explicit ReadStatement(SQLite::Statement& statement)
        : m_statement(statement)
    {}
    ~ReadStatement() { m_statement.tryReset(); }
    ReadStatement(const ReadStatement&) = delete;
    ReadStatement& operator=(const ReadStatement&) = delete;

    SQLite::Statement* operator->() const { return &m_statement; }
    SQLite::Statement& operator*() const { return m_statement; }

private:
    SQLite::Statement& m_statement;
};

QString quoted(const QString& name)
{
    return '"' + QString(name).replace('"', "\"\"") + '"';
}

QString joinTable(const EntityDescription& entity, const RelationshipDescription& relationship)
{
    return "Z_" + entity.name() + "_" + relationship.name;
}

bool isStoredColumn(const AttributeDescription& attribute)
{
    return !attribute.isTransient && attribute.type != AttributeType::undefined;
}

QString columnType(AttributeType type)
{
    switch (type) {
    case AttributeType::string:
        return "TEXT";
    case AttributeType::integer16:
    case AttributeType::integer32:
    case AttributeType::integer64:
    case AttributeType::boolean:
        return "INTEGER";
    case AttributeType::floatingPoint:
        return "REAL";
    case AttributeType::binary:
    case AttributeType::transformable:
    case AttributeType::undefined:
        return "BLOB";
    }
    return "BLOB";
}

std::string utf8(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), size_t(bytes.size()));
}

// Columns of a table in declaration order: the attributes that are stored, then to-one relationships.
struct Columns
{
    std::vector<const AttributeDescription*> attributes;
    std::vector<const RelationshipDescription*> toOne;
    std::vector<const RelationshipDescription*> toMany;

    // Without the attributes named in absent, whose columns the table lacks.
    explicit Columns(const EntityDescription& entity, const QSet<QString>& absent = {})
    {
        for (const AttributeDescription& attribute : entity.attributes()) {
            if (isStoredColumn(attribute) && !absent.contains(attribute.name))
                attributes.push_back(&attribute);
        }
        for (const RelationshipDescription& relationship : entity.relationships())
            (relationship.isToMany ? toMany : toOne).push_back(&relationship);
    }

    QStringList names() const
    {
        QStringList result;
        for (const AttributeDescription* attribute : attributes)
            result.append(attribute->name);
        for (const RelationshipDescription* relationship : toOne)
            result.append(relationship->name);
        return result;
    }
};

// The element at index, or a default one past the end.
template <typename T> T valueAt(const std::vector<T>& values, qsizetype index)
{
    return size_t(index) < values.size() ? values[size_t(index)] : T();
}

std::shared_ptr<const ValueTransformer> transformerFor(const AttributeDescription& attribute)
{
    return ValueTransformer::valueTransformer(attribute.valueTransformerName);
}

QVariant readColumn(const SQLite::Column& column, const AttributeDescription& attribute)
{
    const int type = column.getType();
    switch (attribute.type) {
    case AttributeType::string:
        if (type != SQLITE_TEXT)
            return {};
        return QString::fromUtf8(column.getText(), column.getBytes());
    case AttributeType::integer16:
    case AttributeType::integer32:
    case AttributeType::integer64: {
        if (type != SQLITE_INTEGER)
            return {};
        const qint64 n = column.getInt64();
        if (attribute.type == AttributeType::integer16 &&
            (n < std::numeric_limits<qint16>::min() || n > std::numeric_limits<qint16>::max()))
            return {};
        if (attribute.type == AttributeType::integer32 &&
            (n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<qint32>::max()))
            return {};
        return QVariant(qlonglong(n));
    }
    case AttributeType::floatingPoint:
        if (type != SQLITE_INTEGER && type != SQLITE_FLOAT)
            return {};
        return column.getDouble();
    case AttributeType::boolean:
        if (type != SQLITE_INTEGER)
            return {};
        return column.getInt64() != 0;
    case AttributeType::binary:
        if (type != SQLITE_BLOB)
            return {};
        return QByteArray(static_cast<const char*>(column.getBlob()), column.getBytes());
    case AttributeType::transformable: {
        if (type != SQLITE_BLOB)
            return {};
        const std::shared_ptr<const ValueTransformer> transformer = transformerFor(attribute);
        if (!transformer) {
            foundation::warning("no value transformer named \"" + attribute.valueTransformerName +
                                "\"; the value of " + attribute.name + " reads as missing");
            return {};
        }
        return transformer->reverseTransformedValue(
            QByteArray(static_cast<const char*>(column.getBlob()), column.getBytes()));
    }
    case AttributeType::undefined:
        return {};
    }
    return {};
}

// Binds value to parameter index; the returned bytes must outlive the statement's next step.
QByteArray bindValue(SQLite::Statement& statement, int index, const AttributeDescription& attribute,
                     const QVariant& value)
{
    if (!value.isValid()) {
        statement.bind(index);
        return {};
    }
    switch (attribute.type) {
    case AttributeType::string:
        statement.bind(index, utf8(value.toString()));
        return {};
    case AttributeType::integer16:
    case AttributeType::integer32:
    case AttributeType::integer64:
        statement.bind(index, static_cast<int64_t>(value.toLongLong()));
        return {};
    case AttributeType::floatingPoint:
        statement.bind(index, value.toDouble());
        return {};
    case AttributeType::boolean:
        statement.bind(index, value.toBool() ? 1 : 0);
        return {};
    case AttributeType::binary: {
        QByteArray bytes = value.toByteArray();
        statement.bindNoCopy(index, static_cast<const void*>(bytes.constData()), int(bytes.size()));
        return bytes;
    }
    case AttributeType::transformable: {
        const std::shared_ptr<const ValueTransformer> transformer = transformerFor(attribute);
        if (!transformer)
            throw SaveFailure{"There is no value transformer named \"" + attribute.valueTransformerName +
                              "\" for the attribute " + attribute.name + "."};
        QByteArray bytes = transformer->transformedValue(value);
        if (bytes.isNull())
            statement.bind(index);
        else
            statement.bindNoCopy(index, static_cast<const void*>(bytes.constData()), int(bytes.size()));
        return bytes;
    }
    case AttributeType::undefined:
        statement.bind(index);
        return {};
    }
    return {};
}

// The longest string or blob, and so the largest row, SQLite may read or write for a store; pictures
// are kept as blobs, so this is far above any real one.
constexpr int maxValueBytes = 256 * 1024 * 1024;
constexpr int maxStatementBytes = 1024 * 1024;

// Bounds what a file can make SQLite do on this connection: no value or row longer than
// maxValueBytes, no triggers or views (a store has none, and ones a file brings along are not run),
// nothing in the schema that may have side effects, and temporary data kept in memory, where our
// queries only ever sort rows of the file itself.
void bound(SQLite::Database& database)
{
    sqlite3* handle = database.getHandle();
    sqlite3_limit(handle, SQLITE_LIMIT_LENGTH, maxValueBytes);
    sqlite3_limit(handle, SQLITE_LIMIT_SQL_LENGTH, maxStatementBytes);
    sqlite3_db_config(handle, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_db_config(handle, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
    sqlite3_db_config(handle, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(handle, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    database.exec("PRAGMA temp_store = MEMORY");
}

// A table's columns by name with their declared type and primary-key position (0 for none).
struct Column
{
    QString type;
    int primaryKey = 0;
};

QHash<QString, Column> tableColumns(SQLite::Database& database, const QString& table)
{
    QHash<QString, Column> columns;
    SQLite::Statement query(database, "SELECT name, type, pk FROM pragma_table_info(?)");
    query.bind(1, utf8(table));
    while (query.executeStep())
        columns.insert(
            QString::fromUtf8(query.getColumn(0).getText()),
            Column{QString::fromUtf8(query.getColumn(1).getText()).toUpper(), query.getColumn(2).getInt()});
    return columns;
}

// Whether name is an ordinary table with row IDs (not a view, a virtual table or a table without row
// IDs), as every table of a store is.
bool isPlainTable(SQLite::Database& database, const QString& name)
{
    SQLite::Statement query(database,
                            "SELECT type, wr FROM pragma_table_list WHERE schema = 'main' AND name = ?");
    query.bind(1, utf8(name));
    return query.executeStep() && query.getColumn(0).getString() == "table" &&
           query.getColumn(1).getInt() == 0;
}

// The index of an indexed attribute's column; "Z_" keeps its name apart from the model's names.
QString indexName(const EntityDescription& entity, const AttributeDescription& attribute)
{
    return "Z_" + entity.name() + "_" + attribute.name + "_INDEX";
}

void createIndex(SQLite::Database& database, const EntityDescription& entity,
                 const AttributeDescription& attribute)
{
    database.exec(utf8("CREATE INDEX " + quoted(indexName(entity, attribute)) + " ON " +
                       quoted(entity.name()) + " (" + quoted(attribute.name) + ")"));
}

// The table of entity with the indexes of its indexed attributes, and the tables of its to-many
// relationships.
void createTables(SQLite::Database& database, const EntityDescription& entity)
{
    const Columns columns(entity);
    QStringList definitions{"Z_PK INTEGER PRIMARY KEY"};
    for (const AttributeDescription* attribute : columns.attributes)
        definitions.append(quoted(attribute->name) + " " + columnType(attribute->type));
    for (const RelationshipDescription* relationship : columns.toOne)
        definitions.append(quoted(relationship->name) + " INTEGER");
    database.exec(utf8("CREATE TABLE " + quoted(entity.name()) + " (" + definitions.join(", ") + ")"));
    for (const AttributeDescription* attribute : columns.attributes) {
        if (attribute->isIndexed)
            createIndex(database, entity, *attribute);
    }
    for (const RelationshipDescription* relationship : columns.toMany) {
        const QString table = joinTable(entity, *relationship);
        database.exec(
            utf8("CREATE TABLE " + quoted(table) +
                 " (Z_SOURCE INTEGER NOT NULL, Z_TARGET INTEGER NOT NULL, Z_ORDER INTEGER NOT NULL)"));
        database.exec(
            utf8("CREATE INDEX " + quoted(table + "_SOURCE") + " ON " + quoted(table) + " (Z_SOURCE)"));
    }
}

void writeModelVersion(SQLite::Database& database, const ManagedObjectModel& model)
{
    database.exec("DELETE FROM Z_METADATA WHERE Z_KEY = 'modelVersion'");
    SQLite::Statement metadata(database,
                               "INSERT INTO Z_METADATA (Z_KEY, Z_VALUE) VALUES ('modelVersion', ?)");
    metadata.bind(1, utf8(model.versionHash()));
    metadata.exec();
}

void createSchema(SQLite::Database& database, const ManagedObjectModel& model, const QString& identifier)
{
    SQLite::Transaction transaction(database);
    database.exec("CREATE TABLE Z_METADATA (Z_KEY TEXT PRIMARY KEY, Z_VALUE TEXT)");
    SQLite::Statement metadata(database, "INSERT INTO Z_METADATA (Z_KEY, Z_VALUE) VALUES ('identifier', ?)");
    metadata.bind(1, utf8(identifier));
    metadata.exec();
    writeModelVersion(database, model);
    for (const EntityDescription* entity : model.entities())
        createTables(database, *entity);
    transaction.commit();
}

// The name of what (a table, view, index or trigger) takes name in the file's schema, if anything does.
// SQLite takes names that differ only by the case of ASCII letters for the same name.
std::optional<QString> nameInSchema(SQLite::Database& database, const QString& name)
{
    SQLite::Statement query(database, "SELECT name FROM sqlite_master WHERE name = ? COLLATE NOCASE");
    query.bind(1, utf8(name));
    if (!query.executeStep())
        return std::nullopt;
    return QString::fromUtf8(query.getColumn(0).getText());
}

bool isInSchema(SQLite::Database& database, const QString& name)
{
    return nameInSchema(database, name).has_value();
}

// Why the schema cannot serve name, when it holds the name in another letter case: SQLite would read
// and write it as name, and refuse to make name beside it.
std::optional<QString> otherCase(const std::optional<QString>& held, const QString& name, const QString& what)
{
    if (!held || *held == name)
        return std::nullopt;
    return what + " " + *held + " differs from " + name + " only by letter case";
}

// The name with its ASCII capitals made small, as SQLite compares names.
QString foldedName(QString name)
{
    for (QChar& character : name) {
        if (character >= u'A' && character <= u'Z')
            character = QChar(character.unicode() + (u'a' - u'A'));
    }
    return name;
}

std::optional<QString> otherCase(const QHash<QString, Column>& columns, const QString& name,
                                 const QString& table)
{
    const QString folded = foldedName(name);
    for (auto column = columns.begin(); column != columns.end(); ++column) {
        if (column.key() != name && foldedName(column.key()) == folded)
            return "the column " + column.key() + " of " + table + " differs from " + name +
                   " only by letter case";
    }
    return std::nullopt;
}

// Checks that every table and column the model needs is there, in plain tables whose Z_PK is the
// integer row key; extra tables and columns are left alone. Tables and columns of what was added to the
// model later may be missing, as long as nothing else takes their names; they are collected in absent,
// and so are the indexes of indexed attributes whose names nothing takes. A table or column held under
// the model's name in another letter case is refused: SQLite would read it, but every save would fail
// in making the one the model names.
std::optional<QString> schemaProblem(SQLite::Database& database, const ManagedObjectModel& model,
                                     SQLiteStore::AbsentSchema& absent)
{
    for (const EntityDescription* entity : model.entities()) {
        if (!isPlainTable(database, entity->name())) {
            if (std::optional<QString> problem =
                    otherCase(nameInSchema(database, entity->name()), entity->name(), "the table"))
                return problem;
            if (entity->isAddedLater() && !isInSchema(database, entity->name())) {
                absent.tables.insert(entity->name());
                continue;
            }
            return "it has no table for " + entity->name();
        }
        const QHash<QString, Column> present = tableColumns(database, entity->name());
        const Columns columns(*entity);
        for (const QString& name : QStringList{"Z_PK"} + columns.names()) {
            if (present.contains(name))
                continue;
            if (std::optional<QString> problem = otherCase(present, name, entity->name()))
                return problem;
            if (const AttributeDescription* attribute = entity->attribute(name);
                attribute && attribute->isAddedLater)
                absent.columns[entity->name()].insert(name);
            else
                return "the table " + entity->name() + " has no column " + name;
        }
        for (const AttributeDescription* attribute : columns.attributes) {
            if (attribute->isIndexed && !isInSchema(database, indexName(*entity, *attribute)))
                absent.indexes[entity->name()].insert(attribute->name);
        }
        const bool keyIsRowID = present.value("Z_PK").type == "INTEGER" &&
                                present.value("Z_PK").primaryKey == 1 &&
                                std::none_of(present.begin(), present.end(),
                                             [](const Column& column) { return column.primaryKey > 1; });
        if (!keyIsRowID)
            return "the column Z_PK of " + entity->name() + " is not its integer primary key";
        for (const RelationshipDescription* relationship : columns.toMany) {
            const QString table = joinTable(*entity, *relationship);
            if (std::optional<QString> problem = otherCase(nameInSchema(database, table), table, "the table"))
                return problem;
            const QHash<QString, Column> join =
                isPlainTable(database, table) ? tableColumns(database, table) : QHash<QString, Column>();
            for (const char* name : {"Z_SOURCE", "Z_TARGET", "Z_ORDER"}) {
                if (std::optional<QString> problem = otherCase(join, name, table))
                    return problem;
                if (!join.contains(name))
                    return "it has no table for " + entity->name() + "." + relationship->name;
            }
        }
    }
    return std::nullopt;
}

struct OpenedDatabase
{
    std::unique_ptr<SQLite::Database> database;
    QString identifier;
    bool readOnly = false;
    SQLiteStore::AbsentSchema absent;
};

// The reason a store cannot be opened at path when SQLite cannot take a path that long.
std::optional<QString> pathTooLong(const QString& path)
{
    const qsizetype length = utf8(path).size();
    if (length <= sqliteFiles::longestPath())
        return std::nullopt;
    return "its path is " + QString::number(length) +
           " bytes long, and a store can be opened at a path of at most " +
           QString::number(sqliteFiles::longestPath()) + " bytes. Move it to a folder with a shorter path.";
}

QString rollbackProblem()
{
    return "a save that was cut short left its journal beside it, and reading the store would roll that save "
           "back, which writes into it; opened to be read only, it is left as it is. Open it once to be "
           "changed, which recovers it, or read a copy of it.";
}

// Opens the store in the existing file at path, changing nothing in a file that is not one. Unless
// forWriting, a store that SQLite would read in log mode is opened read-only and immutable, which reads
// the file alone, as it is, and makes nothing beside it; the caller opens it again for writing before it
// saves. Opened for writing, a store leaves log mode and keeps a rollback journal. Opened to be read only
// (access), a store is never written: SQLite is given it read-only, and a journal it would roll back is
// refused before it is asked to.
Result<OpenedDatabase> openExisting(const QString& path, const ManagedObjectModel& model, bool forWriting,
                                    PersistentStore::Access access)
{
    const QString cannotOpen = "The store at " + path + " could not be opened";
    const bool readsOnly = access == PersistentStore::Access::readOnly;
    if (std::optional<QString> problem =
            sqliteFiles::problem(path, readsOnly ? sqliteFiles::Use::reading : sqliteFiles::Use::writing))
        return failure(Error::Code::storeOpenFailed, cannotOpen + ": " + *problem);
    if (std::optional<QString> tooLong = pathTooLong(path))
        return failure(Error::Code::storeOpenFailed, cannotOpen + ": " + *tooLong);
    if (readsOnly && sqliteFiles::hasJournalToRollBack(path))
        return failure(Error::Code::storeOpenFailed, cannotOpen + ": " + rollbackProblem());
    const bool immutable = !forWriting && sqliteFiles::readsInLogMode(path);
    const bool readOnly = immutable || readsOnly;
    try {
        auto database =
            immutable
                ? std::make_unique<SQLite::Database>(
                      QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded().toStdString() +
                          "?immutable=1",
                      SQLite::OPEN_READONLY | SQLite::OPEN_URI | SQLite::OPEN_NOFOLLOW)
                : std::make_unique<SQLite::Database>(
                      utf8(path),
                      (readsOnly ? SQLite::OPEN_READONLY : SQLite::OPEN_READWRITE) | SQLite::OPEN_NOFOLLOW);
        bound(*database);
        // Everything up to the journal settings below only reads.
        database->setBusyTimeout(5000);
        int objects = 0;
        bool hasMetadata = false;
        {
            SQLite::Statement query(*database, "SELECT name FROM sqlite_master");
            while (query.executeStep()) {
                ++objects;
                hasMetadata = hasMetadata || query.getColumn(0).getString() == "Z_METADATA";
            }
        }
        if (objects == 0)
            return failure(Error::Code::storeSchemaMismatch,
                           cannotOpen + ": the file is empty or not a document store.");
        if (!hasMetadata || !isPlainTable(*database, "Z_METADATA"))
            return failure(Error::Code::storeSchemaMismatch,
                           cannotOpen + ": the file is an SQLite database, but not a document store.");
        QString identifier;
        {
            SQLite::Statement query(*database, "SELECT Z_VALUE FROM Z_METADATA WHERE Z_KEY = 'identifier'");
            if (query.executeStep() && query.getColumn(0).getType() == SQLITE_TEXT)
                identifier = QString::fromUtf8(query.getColumn(0).getText()).toLower();
        }
        if (QUuid(identifier).isNull())
            return failure(Error::Code::storeSchemaMismatch,
                           cannotOpen + ": its identifier is missing or damaged.");
        SQLiteStore::AbsentSchema absent;
        if (std::optional<QString> problem = schemaProblem(*database, model, absent))
            return failure(Error::Code::storeSchemaMismatch,
                           cannotOpen + ": it does not match the data model (" + *problem + ").");
        if (!readOnly) {
            database->exec("PRAGMA journal_mode = DELETE");
            database->exec("PRAGMA synchronous = FULL");
        }
        return OpenedDatabase{std::move(database), identifier, readOnly, std::move(absent)};
    } catch (const SQLite::Exception& exception) {
        // A journal that appeared after it was looked for.
        if (exception.getExtendedErrorCode() == SQLITE_READONLY_ROLLBACK)
            return failure(Error::Code::storeOpenFailed, cannotOpen + ": " + rollbackProblem());
        return failure(Error::Code::storeOpenFailed,
                       cannotOpen + ": " + QString::fromUtf8(exception.what()) + ".");
    }
}

// Makes a new store in a new file at path; fails if anything is there already.
Result<OpenedDatabase> createNew(const QString& path, const ManagedObjectModel& model,
                                 const QString& identifier)
{
    const QString cannotCreate = "The store at " + path + " could not be created";
    if (std::optional<QString> tooLong = pathTooLong(path))
        return failure(Error::Code::storeOpenFailed, cannotCreate + ": " + *tooLong);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return failure(Error::Code::storeOpenFailed, cannotCreate + ": " + file.errorString() + ".");
    file.close();
    try {
        auto database =
            std::make_unique<SQLite::Database>(utf8(path), SQLite::OPEN_READWRITE | SQLite::OPEN_NOFOLLOW);
        bound(*database);
        database->setBusyTimeout(5000);
        database->exec("PRAGMA journal_mode = DELETE");
        database->exec("PRAGMA synchronous = FULL");
        createSchema(*database, model, identifier);
        return OpenedDatabase{std::move(database), identifier, false, {}};
    } catch (const SQLite::Exception& exception) {
        QFile::remove(path);
        return failure(Error::Code::storeOpenFailed,
                       cannotCreate + ": " + QString::fromUtf8(exception.what()) + ".");
    }
}

} // namespace

SQLiteStore::SQLiteStore(QString identifier, QString path, std::shared_ptr<const ManagedObjectModel> model,
                         std::unique_ptr<SQLite::Database> database, Access access, bool readOnly,
                         AbsentSchema absent)
    : PersistentStore(std::move(identifier), std::move(path))
    , m_model(std::move(model))
    , m_database(std::move(database))
    , m_access(access)
    , m_readOnly(readOnly)
    , m_absent(std::move(absent))
{}

SQLiteStore::~SQLiteStore() = default;

Result<std::unique_ptr<PersistentStore>> SQLiteStore::open(const QString& path,
                                                           std::shared_ptr<const ManagedObjectModel> model,
                                                           const QString& identifier, Access access)
{
    if (path.isEmpty())
        return failure(Error::Code::storeOpenFailed, "A SQLite store needs a file path.");
    // Only a missing file becomes a new store; whatever else is there must already be one.
    const bool exists = QFileInfo(path).exists() || QFileInfo(path).isSymLink();
    if (!exists && access == Access::readOnly)
        return failure(Error::Code::storeOpenFailed,
                       "The store at " + path + " could not be opened: there is no such file.");
    Result<OpenedDatabase> opened =
        exists ? openExisting(path, *model, false, access)
               : createNew(path, *model,
                           identifier.isEmpty() ? QUuid::createUuid().toString(QUuid::WithoutBraces)
                                                : identifier);
    if (!opened)
        return failure(opened.error());
    return std::unique_ptr<PersistentStore>(new SQLiteStore(opened->identifier, path, std::move(model),
                                                            std::move(opened->database), access,
                                                            opened->readOnly, std::move(opened->absent)));
}

Result<void> SQLiteStore::reopen(const QString& path, bool forWriting)
{
    Result<OpenedDatabase> opened = openExisting(path, *m_model, forWriting, m_access);
    if (!opened)
        return failure(opened.error());
    if (opened->identifier != m_identifier)
        return failure(Error::Code::storeOpenFailed, "The file at " + path + " holds a different store.");
    m_readStatements.clear();
    m_database = std::move(opened->database);
    m_readOnly = opened->readOnly;
    m_absent = std::move(opened->absent);
    m_path = path;
    return {};
}

Result<void> SQLiteStore::setPath(const QString& path)
{
    if (Result<void> reopened = reopen(path, !m_readOnly); !reopened)
        return reopened;
    m_lastKeys.clear();
    return {};
}

Result<QList<StoreRow>> SQLiteStore::readRows(const EntityDescription& entity, const Predicate& predicate,
                                              std::optional<qint64> primaryKey, const KeyFilter& keyOnly)
{
    if (m_absent.tables.contains(entity.name()))
        return QList<StoreRow>();
    const Columns columns(entity, m_absent.columns.value(entity.name()));
    const QStringList names = columns.names();
    QStringList selected{"Z_PK"};
    for (const QString& name : names)
        selected.append(quoted(name));
    QString where;

    // Narrow by the predicate where SQLite compares like we do: plain text and numbers.
    const AttributeDescription* filter = predicate.isAll() ? nullptr : entity.attribute(predicate.key());
    const QVariant& wanted = predicate.value();
    bool bindFilter = false;
    if (primaryKey) {
        where = " WHERE Z_PK = ?";
    } else if (filter && std::find(columns.attributes.begin(), columns.attributes.end(), filter) !=
                             columns.attributes.end()) {
        const bool isText = filter->type == AttributeType::string && wanted.typeId() == QMetaType::QString;
        const bool isNumber =
            (filter->type == AttributeType::integer16 || filter->type == AttributeType::integer32 ||
             filter->type == AttributeType::integer64 || filter->type == AttributeType::floatingPoint) &&
            (wanted.typeId() == QMetaType::LongLong || wanted.typeId() == QMetaType::Int ||
             wanted.typeId() == QMetaType::Double);
        if (!wanted.isValid()) {
            where = " WHERE " + quoted(filter->name) + " IS NULL";
        } else if (isText || isNumber) {
            where = " WHERE " + quoted(filter->name) + " = ?";
            bindFilter = true;
        }
    }
    const auto prepared = [&](const QString& what) -> SQLite::Statement& {
        SQLite::Statement& query =
            readStatement("SELECT " + what + " FROM " + quoted(entity.name()) + where + " ORDER BY Z_PK");
        if (primaryKey)
            query.bind(1, static_cast<int64_t>(*primaryKey));
        else if (bindFilter && wanted.typeId() == QMetaType::QString)
            query.bind(1, utf8(wanted.toString()));
        else if (bindFilter && wanted.typeId() == QMetaType::Double)
            query.bind(1, wanted.toDouble());
        else if (bindFilter)
            query.bind(1, static_cast<int64_t>(wanted.toLongLong()));
        return query;
    };

    try {
        if (keyOnly) {
            // When the caller holds every row's object, the keys alone are read.
            QList<StoreRow> keys;
            const ReadStatement query(prepared(QStringLiteral("Z_PK")));
            bool allHeld = true;
            while (allHeld && query->executeStep()) {
                StoreRow row;
                row.primaryKey = query->getColumn(0).getInt64();
                allHeld = keyOnly(row.primaryKey);
                row.attributes.resize(entity.attributes().size());
                row.relationships.resize(entity.relationships().size());
                keys.append(std::move(row));
            }
            if (allHeld)
                return keys;
        }
        const ReadStatement statement(prepared(selected.join(", ")));
        SQLite::Statement& query = *statement;

        QList<StoreRow> rows;
        // Rows of objects the caller holds are not decoded (colours and fonts are archived values).
        QSet<qint64> keysOnly;
        while (query.executeStep()) {
            StoreRow row;
            row.primaryKey = query.getColumn(0).getInt64();
            row.attributes.resize(entity.attributes().size());
            row.relationships.resize(entity.relationships().size());
            if (keyOnly && keyOnly(row.primaryKey)) {
                keysOnly.insert(row.primaryKey);
                rows.append(std::move(row));
                continue;
            }
            int index = 1;
            for (const AttributeDescription* attribute : columns.attributes)
                row.attributes[size_t(entity.indexOf(*attribute))] =
                    readColumn(query.getColumn(index++), *attribute);
            for (const RelationshipDescription* relationship : columns.toOne) {
                const SQLite::Column column = query.getColumn(index++);
                if (column.getType() == SQLITE_INTEGER && column.getInt64() > 0)
                    row.relationships[size_t(entity.indexOf(*relationship))].append(column.getInt64());
            }
            rows.append(std::move(row));
        }

        for (const RelationshipDescription* relationship : columns.toMany) {
            const QString table = quoted(joinTable(entity, *relationship));
            QHash<qint64, QList<qint64>> members;
            if (rows.size() <= 32) {
                const ReadStatement join(
                    readStatement("SELECT Z_TARGET FROM " + table + " WHERE Z_SOURCE = ? ORDER BY Z_ORDER"));
                for (const StoreRow& row : rows) {
                    join->reset();
                    join->bind(1, static_cast<int64_t>(row.primaryKey));
                    while (join->executeStep()) {
                        if (join->getColumn(0).getType() == SQLITE_INTEGER)
                            members[row.primaryKey].append(join->getColumn(0).getInt64());
                    }
                }
            } else {
                const ReadStatement join(
                    readStatement("SELECT Z_SOURCE, Z_TARGET FROM " + table + " ORDER BY Z_SOURCE, Z_ORDER"));
                while (join->executeStep()) {
                    if (join->getColumn(1).getType() == SQLITE_INTEGER)
                        members[join->getColumn(0).getInt64()].append(join->getColumn(1).getInt64());
                }
            }
            for (StoreRow& row : rows) {
                if (keysOnly.contains(row.primaryKey))
                    continue;
                QList<qint64>& keys = row.relationships[size_t(entity.indexOf(*relationship))];
                QSet<qint64> seen;
                for (qint64 key : members.value(row.primaryKey)) {
                    if (key > 0 && !seen.contains(key)) {
                        seen.insert(key);
                        keys.append(key);
                    }
                }
            }
        }
        return rows;
    } catch (const SQLite::Exception& exception) {
        return failure(Error::Code::storeReadFailed, "The store at " + m_path + " could not be read: " +
                                                         QString::fromUtf8(exception.what()) + ".");
    }
}

SQLite::Statement& SQLiteStore::readStatement(const QString& sql)
{
    std::unique_ptr<SQLite::Statement>& statement = m_readStatements[utf8(sql)];
    if (!statement) {
        statement = std::make_unique<SQLite::Statement>(*m_database, utf8(sql));
    } else {
        statement->reset();
        statement->clearBindings();
    }
    return *statement;
}

Result<QList<StoreRow>> SQLiteStore::fetchRows(const EntityDescription& entity, const Predicate& predicate,
                                               const KeyFilter& keyOnly)
{
    return readRows(entity, predicate, std::nullopt, keyOnly);
}

Result<std::optional<StoreRow>> SQLiteStore::fetchRow(const EntityDescription& entity, qint64 primaryKey)
{
    Result<QList<StoreRow>> rows = readRows(entity, Predicate::all(), primaryKey);
    if (!rows)
        return failure(rows.error());
    if (rows->isEmpty())
        return std::optional<StoreRow>();
    return std::optional<StoreRow>(rows->first());
}

Result<qint64> SQLiteStore::reservePrimaryKeys(const EntityDescription& entity, qint64 count)
{
    auto it = m_lastKeys.find(entity.name());
    if (it == m_lastKeys.end() && m_absent.tables.contains(entity.name())) {
        it = m_lastKeys.insert(entity.name(), 0);
    } else if (it == m_lastKeys.end()) {
        qint64 last = 0;
        try {
            SQLite::Statement query(*m_database, utf8("SELECT MAX(Z_PK) FROM " + quoted(entity.name())));
            if (query.executeStep() && query.getColumn(0).getType() == SQLITE_INTEGER)
                last = std::max<qint64>(0, query.getColumn(0).getInt64());
        } catch (const SQLite::Exception& exception) {
            return failure(Error::Code::storeSaveFailed, "The store at " + m_path + " could not be saved: " +
                                                             QString::fromUtf8(exception.what()) + ".");
        }
        it = m_lastKeys.insert(entity.name(), last);
    }
    return takeKeys(*it, count, entity);
}

Result<QList<PersistentStore::LongText>> SQLiteStore::textsLongerThan(const EntityDescription& entity,
                                                                      const QHash<QString, qint64>& bounds)
{
    QList<LongText> texts;
    if (m_absent.tables.contains(entity.name()))
        return texts;
    const QSet<QString> absent = m_absent.columns.value(entity.name());
    QStringList attributes;
    QStringList tests;
    for (auto bound = bounds.begin(); bound != bounds.end(); ++bound) {
        const AttributeDescription* attribute = entity.attribute(bound.key());
        if (!attribute || attribute->type != AttributeType::string || !isStoredColumn(*attribute) ||
            absent.contains(bound.key()))
            continue;
        attributes.append(bound.key());
        // length() counts the characters of a text where it lies; the text is never handed over.
        tests.append("(typeof(" + quoted(bound.key()) + ") = 'text' AND length(" + quoted(bound.key()) +
                     ") > " + QString::number(bound.value()) + ")");
    }
    if (attributes.isEmpty())
        return texts;
    try {
        // One pass over the table, however many texts a row has: reaching those stored after a picture
        // reads through its pages.
        SQLite::Statement query(*m_database,
                                utf8("SELECT Z_PK, " + tests.join(", ") + " FROM " + quoted(entity.name()) +
                                     " WHERE " + tests.join(" OR ") + " ORDER BY Z_PK"));
        while (query.executeStep()) {
            for (int index = 0; index < attributes.size(); ++index) {
                if (query.getColumn(index + 1).getInt() != 0) {
                    texts.append({query.getColumn(0).getInt64(), attributes[index]});
                    break;
                }
            }
        }
        return texts;
    } catch (const SQLite::Exception& exception) {
        return failure(Error::Code::storeReadFailed, "The store at " + m_path + " could not be read: " +
                                                         QString::fromUtf8(exception.what()) + ".");
    }
}

void SQLiteStore::writeRows(const std::vector<EntityRow>& rows, bool insert)
{
    // One prepared statement per entity, reused for its rows.
    QHash<const EntityDescription*, std::shared_ptr<SQLite::Statement>> statements;
    for (const EntityRow& entry : rows) {
        const EntityDescription& entity = *entry.entity;
        const Columns columns(entity);
        const QStringList names = columns.names();
        std::shared_ptr<SQLite::Statement>& statement = statements[&entity];
        if (!statement) {
            QString sql;
            if (insert) {
                QStringList quotedNames{"Z_PK"};
                QStringList marks{"?"};
                for (const QString& name : names) {
                    quotedNames.append(quoted(name));
                    marks.append("?");
                }
                sql = "INSERT INTO " + quoted(entity.name()) + " (" + quotedNames.join(", ") + ") VALUES (" +
                      marks.join(", ") + ")";
            } else {
                QStringList assignments{"Z_PK = Z_PK"};
                for (const QString& name : names)
                    assignments.append(quoted(name) + " = ?");
                sql =
                    "UPDATE " + quoted(entity.name()) + " SET " + assignments.join(", ") + " WHERE Z_PK = ?";
            }
            statement = std::make_shared<SQLite::Statement>(*m_database, utf8(sql));
        }
        statement->reset();
        statement->clearBindings();
        std::vector<QByteArray> keepAlive;
        int index = 1;
        if (insert)
            statement->bind(index++, static_cast<int64_t>(entry.row.primaryKey));
        for (const AttributeDescription* attribute : columns.attributes)
            keepAlive.push_back(bindValue(*statement, index++, *attribute,
                                          valueAt(entry.row.attributes, entity.indexOf(*attribute))));
        for (const RelationshipDescription* relationship : columns.toOne) {
            const QList<qint64> keys = valueAt(entry.row.relationships, entity.indexOf(*relationship));
            if (keys.isEmpty())
                statement->bind(index++);
            else
                statement->bind(index++, static_cast<int64_t>(keys.first()));
        }
        if (!insert)
            statement->bind(index++, static_cast<int64_t>(entry.row.primaryKey));
        statement->exec();
        if (!insert && m_database->getChanges() != 1)
            throw SaveFailure{"A changed " + entity.name() + " no longer exists in the store."};

        for (const RelationshipDescription* relationship : columns.toMany) {
            const QString table = quoted(joinTable(entity, *relationship));
            if (!insert) {
                SQLite::Statement clear(*m_database, utf8("DELETE FROM " + table + " WHERE Z_SOURCE = ?"));
                clear.bind(1, static_cast<int64_t>(entry.row.primaryKey));
                clear.exec();
            }
            SQLite::Statement add(*m_database, utf8("INSERT INTO " + table +
                                                    " (Z_SOURCE, Z_TARGET, Z_ORDER) VALUES (?, ?, ?)"));
            int order = 0;
            for (qint64 key : valueAt(entry.row.relationships, entity.indexOf(*relationship))) {
                add.reset();
                add.bind(1, static_cast<int64_t>(entry.row.primaryKey));
                add.bind(2, static_cast<int64_t>(key));
                add.bind(3, order++);
                add.exec();
            }
        }
    }
}

void SQLiteStore::addAbsentSchema()
{
    for (const EntityDescription* entity : m_model->entities()) {
        if (m_absent.tables.contains(entity->name())) {
            createTables(*m_database, *entity);
            continue;
        }
        const QSet<QString> absent = m_absent.columns.value(entity->name());
        for (const AttributeDescription& attribute : entity->attributes()) {
            if (absent.contains(attribute.name))
                m_database->exec(utf8("ALTER TABLE " + quoted(entity->name()) + " ADD COLUMN " +
                                      quoted(attribute.name) + " " + columnType(attribute.type)));
        }
        const QSet<QString> unindexed = m_absent.indexes.value(entity->name());
        for (const AttributeDescription& attribute : entity->attributes()) {
            if (unindexed.contains(attribute.name))
                createIndex(*m_database, *entity, attribute);
        }
    }
    writeModelVersion(*m_database, *m_model);
}

Result<void> SQLiteStore::save(const StoreSaveRequest& request)
{
    if (m_access == Access::readOnly)
        return failure(Error::Code::storeSaveFailed,
                       "The store at " + m_path + " could not be saved: it was opened to be read only.");
    // The files may have changed since the store was opened; nothing is written through a pipe or
    // another name.
    if (std::optional<QString> problem = sqliteFiles::problem(m_path, sqliteFiles::Use::writing))
        return failure(Error::Code::storeSaveFailed,
                       "The store at " + m_path + " could not be saved: " + *problem);
    if (m_readOnly) {
        if (Result<void> writable = reopen(m_path, true); !writable)
            return failure(Error::Code::storeSaveFailed, writable.error().message());
    }
    try {
        SQLite::Transaction transaction(*m_database);
        const bool upgrades =
            !m_absent.tables.isEmpty() || !m_absent.columns.isEmpty() || !m_absent.indexes.isEmpty();
        if (upgrades)
            addAbsentSchema();
        for (const auto& [entity, key] : request.deleted) {
            SQLite::Statement remove(*m_database,
                                     utf8("DELETE FROM " + quoted(entity->name()) + " WHERE Z_PK = ?"));
            remove.bind(1, static_cast<int64_t>(key));
            remove.exec();
            for (const EntityDescription* owner : m_model->entities()) {
                for (const RelationshipDescription& relationship : owner->relationships()) {
                    if (!relationship.isToMany)
                        continue;
                    const QString table = quoted(joinTable(*owner, relationship));
                    if (owner == entity) {
                        SQLite::Statement clear(*m_database,
                                                utf8("DELETE FROM " + table + " WHERE Z_SOURCE = ?"));
                        clear.bind(1, static_cast<int64_t>(key));
                        clear.exec();
                    }
                    if (relationship.destinationEntity == entity) {
                        SQLite::Statement clear(*m_database,
                                                utf8("DELETE FROM " + table + " WHERE Z_TARGET = ?"));
                        clear.bind(1, static_cast<int64_t>(key));
                        clear.exec();
                    }
                }
            }
        }
        writeRows(request.inserted, true);
        writeRows(request.updated, false);
        transaction.commit();
        if (upgrades)
            m_absent = {};
        return {};
    } catch (const SaveFailure& saveFailure) {
        return failure(Error::Code::storeSaveFailed,
                       "The store at " + m_path + " could not be saved: " + saveFailure.message);
    } catch (const SQLite::Exception& exception) {
        return failure(Error::Code::storeSaveFailed, "The store at " + m_path + " could not be saved: " +
                                                         QString::fromUtf8(exception.what()) + ".");
    }
}

} // namespace store
