#include "platform/engine/sql_translator.h"
#include "platform/engine/column_values.h"
#include "platform/rtl/exceptions.h"
#include <QDate>
#include <QRegularExpression>
#include <QSet>

namespace {

enum class TTokenKind { Word, Number, String, Parameter, Symbol };

struct TToken {
    TTokenKind Kind;
    QString Text;      // as written; for a string, its value without quotes
    QString Space;     // the blanks before it, kept so result column names read as written
};

[[noreturn]] void Refuse(const QString& reason, const QString& statement) {
    throw EDatabaseError(QStringLiteral("%1 in statement: %2").arg(reason, statement.simplified()));
}

bool IsWordStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool IsWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$'); }

std::vector<TToken> Tokenize(const QString& text) {
    std::vector<TToken> tokens;
    QString space;
    const int n = int(text.size());
    int i = 0;
    auto push = [&](TTokenKind kind, QString value) {
        tokens.push_back({kind, std::move(value), space});
        space.clear();
    };
    while (i < n) {
        const QChar c = text[i];
        const QChar next = i + 1 < n ? text[i + 1] : QChar();
        if (c.isSpace()) {
            space += c;
            ++i;
        } else if (IsWordStart(c)) {
            int j = i + 1;
            while (j < n && IsWordChar(text[j])) ++j;
            push(TTokenKind::Word, text.mid(i, j - i));
            i = j;
        } else if (c.isDigit() || (c == QLatin1Char('.') && next.isDigit())) {
            int j = i;
            while (j < n && text[j].isDigit()) ++j;
            if (j < n && text[j] == QLatin1Char('.')) {
                ++j;
                while (j < n && text[j].isDigit()) ++j;
            }
            if (j < n && (text[j] == QLatin1Char('e') || text[j] == QLatin1Char('E'))) {
                int k = j + 1;
                if (k < n && (text[k] == QLatin1Char('+') || text[k] == QLatin1Char('-'))) ++k;
                if (k < n && text[k].isDigit()) {
                    j = k;
                    while (j < n && text[j].isDigit()) ++j;
                }
            }
            if (j < n && IsWordChar(text[j])) Refuse(QStringLiteral("Malformed number"), text);
            push(TTokenKind::Number, text.mid(i, j - i));
            i = j;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            QString value;
            int j = i + 1;
            for (;;) {
                if (j >= n) Refuse(QStringLiteral("Unterminated string constant"), text);
                if (text[j] == c) {
                    if (j + 1 < n && text[j + 1] == c) {
                        value += c;
                        j += 2;
                        continue;
                    }
                    break;
                }
                value += text[j++];
            }
            push(TTokenKind::String, value);
            i = j + 1;
        } else if (c == QLatin1Char('?')) {
            push(TTokenKind::Parameter, QStringLiteral("?"));
            ++i;
        } else if (c == QLatin1Char(':') && IsWordStart(next)) {
            int j = i + 1;
            while (j < n && IsWordChar(text[j])) ++j;
            push(TTokenKind::Parameter, text.mid(i, j - i));
            i = j;
        } else if ((c == QLatin1Char('-') && next == QLatin1Char('-')) ||
                   (c == QLatin1Char('/') && next == QLatin1Char('*'))) {
            Refuse(QStringLiteral("Comments are not accepted"), text);
        } else {
            static const QStringList twoChar = {QStringLiteral("<="), QStringLiteral(">="), QStringLiteral("<>"),
                                                QStringLiteral("!="), QStringLiteral("||"), QStringLiteral("==")};
            const QString pair = text.mid(i, 2);
            if (twoChar.contains(pair)) {
                push(TTokenKind::Symbol, pair);
                i += 2;
            } else if (QStringLiteral("=<>+-*/(),.;%").contains(c)) {
                push(TTokenKind::Symbol, QString(c));
                ++i;
            } else {
                Refuse(QStringLiteral("Unexpected character '%1'").arg(c), text);
            }
        }
    }
    return tokens;
}

bool IsWord(const std::vector<TToken>& tokens, size_t i, const char* word) {
    return i < tokens.size() && tokens[i].Kind == TTokenKind::Word &&
           tokens[i].Text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool IsSymbol(const std::vector<TToken>& tokens, size_t i, const char* symbol) {
    return i < tokens.size() && tokens[i].Kind == TTokenKind::Symbol && tokens[i].Text == QLatin1String(symbol);
}

bool IsClauseWord(const TToken& token) {
    static const QSet<QString> words = {
        QStringLiteral("WHERE"), QStringLiteral("GROUP"), QStringLiteral("ORDER"), QStringLiteral("HAVING"),
        QStringLiteral("UNION"), QStringLiteral("JOIN"), QStringLiteral("INNER"), QStringLiteral("LEFT"),
        QStringLiteral("RIGHT"), QStringLiteral("FULL"), QStringLiteral("OUTER"), QStringLiteral("CROSS"),
        QStringLiteral("NATURAL"), QStringLiteral("ON"), QStringLiteral("SET"), QStringLiteral("LIMIT"),
        QStringLiteral("EXCEPT"), QStringLiteral("INTERSECT"), QStringLiteral("VALUES"), QStringLiteral("SELECT"),
        QStringLiteral("USING"), QStringLiteral("AND"), QStringLiteral("OR"), QStringLiteral("NOT")};
    return token.Kind == TTokenKind::Word && words.contains(token.Text.toUpper());
}

class TTranslator {
public:
    TTranslator(const QString& text, const TSqlCatalogue* catalogue)
        : text_(text), catalogue_(catalogue), tokens_(Tokenize(text)), out_(tokens_.size()) {}

    TTranslatedStatement Run() {
        if (!tokens_.empty() && IsSymbol(tokens_, tokens_.size() - 1, ";")) tokens_.pop_back();
        if (tokens_.empty()) Refuse(QStringLiteral("Empty statement"), text_);
        for (size_t i = 0; i < tokens_.size(); ++i)
            if (IsSymbol(tokens_, i, ";")) Refuse(QStringLiteral("Only one statement at a time is accepted"), text_);
        result_.Kind = Kind();
        MarkTablePositions();
        for (size_t i = 0; i < tokens_.size(); ++i)
            if (!out_[i].has_value()) out_[i] = TranslateToken(i);
        for (size_t i = 0; i < tokens_.size(); ++i) {
            if (out_[i]->isNull()) continue;   // swallowed by a table name
            result_.Sql += tokens_[i].Space + *out_[i];
        }
        result_.Sql = result_.Sql.trimmed();
        return result_;
    }

private:
    TStatementKind Kind() const {
        if (IsWord(tokens_, 0, "select")) return TStatementKind::Select;
        if (IsWord(tokens_, 0, "delete") && IsWord(tokens_, 1, "from")) return TStatementKind::Delete;
        if (IsWord(tokens_, 0, "update")) return TStatementKind::Update;
        if (IsWord(tokens_, 0, "insert") && IsWord(tokens_, 1, "into")) return TStatementKind::Insert;
        if (IsWord(tokens_, 0, "create") && IsWord(tokens_, 1, "table")) return TStatementKind::CreateTable;
        if (IsWord(tokens_, 0, "create") &&
            (IsWord(tokens_, 1, "index") || (IsWord(tokens_, 1, "unique") && IsWord(tokens_, 2, "index"))))
            return TStatementKind::CreateIndex;
        if (IsWord(tokens_, 0, "drop") && IsWord(tokens_, 1, "table")) return TStatementKind::DropTable;
        if (IsWord(tokens_, 0, "query")) Refuse(QStringLiteral("QBE statements are not supported"), text_);
        if (IsWord(tokens_, 0, "exec") || IsWord(tokens_, 0, "execute") || IsWord(tokens_, 0, "call"))
            Refuse(QStringLiteral("Stored procedures are not supported"), text_);
        Refuse(QStringLiteral("Statement not supported"), text_);
    }

    // Reads a table name at i (a word with an optional ".DB", or a quoted name)
    // and returns the index after it.
    size_t TakeTable(size_t i) {
        if (i >= tokens_.size() ||
            (tokens_[i].Kind != TTokenKind::Word && tokens_[i].Kind != TTokenKind::String) ||
            (tokens_[i].Kind == TTokenKind::Word && IsClauseWord(tokens_[i])))
            Refuse(QStringLiteral("Table name expected"), text_);
        const QString name = StripTableExtension(tokens_[i].Text);
        if (name.isEmpty()) Refuse(QStringLiteral("Table name expected"), text_);
        out_[i] = QuoteIdentifier(name);
        result_.Tables.append(name);
        size_t next = i + 1;
        if (tokens_[i].Kind == TTokenKind::Word && IsSymbol(tokens_, next, ".") && IsWord(tokens_, next + 1, "db")) {
            out_[next] = QString();
            out_[next + 1] = QString();
            next += 2;
        }
        return next;
    }

    size_t TakeTableWithAlias(size_t i) {
        i = TakeTable(i);
        if (IsSymbol(tokens_, i, "(")) Refuse(QStringLiteral("Table functions are not accepted"), text_);
        if (IsWord(tokens_, i, "as")) return i + 2;
        if (i < tokens_.size() && tokens_[i].Kind == TTokenKind::Word && !IsClauseWord(tokens_[i])) return i + 1;
        return i;
    }

    void MarkTablePositions() {
        switch (result_.Kind) {
        case TStatementKind::CreateTable: MarkCreateTable(); return;
        case TStatementKind::CreateIndex: MarkCreateIndex(); return;
        case TStatementKind::DropTable:
            if (TakeTable(2) != tokens_.size()) Refuse(QStringLiteral("Unexpected text after the table name"), text_);
            return;
        case TStatementKind::Update: TakeTable(1); break;
        case TStatementKind::Insert: TakeTable(2); break;
        default: break;
        }
        for (size_t i = 0; i < tokens_.size(); ++i) {
            if (IsWord(tokens_, i, "from") || IsWord(tokens_, i, "join")) {
                size_t j = TakeTableWithAlias(i + 1);
                while (IsWord(tokens_, i, "from") && IsSymbol(tokens_, j, ",")) j = TakeTableWithAlias(j + 1);
                i = j - 1;
            }
        }
    }

    void MarkCreateIndex() {
        const size_t nameAt = IsWord(tokens_, 1, "unique") ? 3 : 2;
        if (nameAt >= tokens_.size() || tokens_[nameAt].Kind != TTokenKind::Word || !IsWord(tokens_, nameAt + 1, "on"))
            Refuse(QStringLiteral("Expected Create Index <name> On <table>(<fields>)"), text_);
        const size_t after = TakeTable(nameAt + 2);
        if (!IsSymbol(tokens_, after, "(")) Refuse(QStringLiteral("Expected the indexed fields in parentheses"), text_);
        out_[nameAt] = QuoteIdentifier(IndexStorageName(result_.Tables.front(), tokens_[nameAt].Text));
    }

    void MarkCreateTable() {
        size_t i = TakeTable(2);
        if (!IsSymbol(tokens_, i, "(")) Refuse(QStringLiteral("Expected the field list in parentheses"), text_);
        int depth = 0;
        bool elementStart = false;
        for (; i < tokens_.size(); ++i) {
            if (IsSymbol(tokens_, i, "(")) {
                elementStart = ++depth == 1;
                continue;
            }
            if (IsSymbol(tokens_, i, ")")) {
                --depth;
                continue;
            }
            if (depth == 1 && IsSymbol(tokens_, i, ",")) {
                elementStart = true;
                continue;
            }
            if (depth == 1 && elementStart) {
                elementStart = false;
                static const char* constraints[] = {"primary", "unique", "constraint", "check", "foreign"};
                bool isConstraint = false;
                for (const char* word : constraints) isConstraint = isConstraint || IsWord(tokens_, i, word);
                if (!isConstraint) i = TranslateColumnType(i);
            }
        }
    }

    // At a column definition "name type[(n[,m])]"; rewrites the type so that
    // SQLite's affinity suits the field, and returns the index of the type word.
    size_t TranslateColumnType(size_t nameAt) {
        const size_t typeAt = nameAt + 1;
        if (tokens_[nameAt].Kind != TTokenKind::Word || typeAt >= tokens_.size() ||
            tokens_[typeAt].Kind != TTokenKind::Word)
            Refuse(QStringLiteral("Field name and type expected"), text_);
        const QString type = tokens_[typeAt].Text.toUpper();
        static const QSet<QString> plain = {
            QStringLiteral("CHARACTER"), QStringLiteral("CHAR"), QStringLiteral("VARCHAR"), QStringLiteral("SMALLINT"),
            QStringLiteral("INT"), QStringLiteral("FLOAT"), QStringLiteral("DATE"), QStringLiteral("TIME"),
            QStringLiteral("TIMESTAMP"), QStringLiteral("BOOLEAN"), QStringLiteral("LOGICAL"),
            QStringLiteral("AUTOINC"), QStringLiteral("WORD")};
        if (type == QLatin1String("NUMERIC") || type == QLatin1String("DECIMAL")) {
            out_[typeAt] = QStringLiteral("REAL NUMERIC");
        } else if (type == QLatin1String("MONEY")) {
            out_[typeAt] = QStringLiteral("REAL MONEY");
        } else if (type == QLatin1String("INTEGER")) {
            out_[typeAt] = QStringLiteral("INT");   // not SQLite's row id alias
        } else if (type == QLatin1String("MEMO")) {
            out_[typeAt] = QStringLiteral("TEXT MEMO");
        } else if (type == QLatin1String("BLOB")) {
            // Paradox writes a memo as BLOB(size, 1).
            const bool memo = IsSymbol(tokens_, typeAt + 1, "(") && IsSymbol(tokens_, typeAt + 3, ",") &&
                              tokens_.size() > typeAt + 4 && tokens_[typeAt + 4].Text == QLatin1String("1");
            if (memo) {
                out_[typeAt] = QStringLiteral("TEXT MEMO");
                out_[typeAt + 3] = QString();
                out_[typeAt + 4] = QString();
            }
        } else if (!plain.contains(type)) {
            Refuse(QStringLiteral("Unknown type %1 of field %2").arg(tokens_[typeAt].Text, tokens_[nameAt].Text), text_);
        }
        return typeAt;
    }

    QString TranslateToken(size_t i) {
        const TToken& token = tokens_[i];
        switch (token.Kind) {
        case TTokenKind::String: return StringLiteral(i);
        case TTokenKind::Parameter: return QStringLiteral("?");
        case TTokenKind::Word:
            if (token.Text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return QStringLiteral("1");
            if (token.Text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return QStringLiteral("0");
            return token.Text;
        default: return token.Text;
        }
    }

    static QString SqlLiteral(QString value) {
        return QLatin1Char('\'') + value.replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
    }

    // A date constant becomes ISO text unless it is compared with (or assigned
    // to) a text field, where it stays the text it is.
    QString StringLiteral(size_t i) {
        static const QRegularExpression datePattern(QStringLiteral("^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{4})\\s*$"));
        const QString& value = tokens_[i].Text;
        const QRegularExpressionMatch match = datePattern.match(value);
        if (!match.hasMatch()) return SqlLiteral(value);
        const std::optional<TFieldType> paired = PairedColumnType(i);
        if (paired && (IsTextType(*paired) || *paired == TFieldType::ftTime)) return SqlLiteral(value);
        const QDate date(match.captured(3).toInt(), match.captured(1).toInt(), match.captured(2).toInt());
        const bool dateField = paired && (*paired == TFieldType::ftDate || *paired == TFieldType::ftDateTime);
        if (!date.isValid()) {
            if (dateField) Refuse(QStringLiteral("Invalid date constant \"%1\"").arg(value), text_);
            return SqlLiteral(value);
        }
        if (paired == TFieldType::ftDateTime) return SqlLiteral(IsoDate(date) + QStringLiteral(" 00:00:00"));
        return SqlLiteral(IsoDate(date));
    }

    std::optional<TFieldType> PairedColumnType(size_t i) const {
        static const QSet<QString> comparisons = {QStringLiteral("="), QStringLiteral("=="), QStringLiteral("<>"),
                                                  QStringLiteral("!="), QStringLiteral("<"), QStringLiteral(">"),
                                                  QStringLiteral("<="), QStringLiteral(">=")};
        auto isComparison = [&](size_t k) {
            return k < tokens_.size() && tokens_[k].Kind == TTokenKind::Symbol && comparisons.contains(tokens_[k].Text);
        };
        if (i >= 2 && isComparison(i - 1)) return ColumnTypeAt(i - 2);
        if (i >= 2 && IsWord(tokens_, i - 1, "between")) return ColumnTypeAt(i - 2);
        if (i >= 4 && IsWord(tokens_, i - 1, "and") && tokens_[i - 2].Kind == TTokenKind::String &&
            IsWord(tokens_, i - 3, "between"))
            return ColumnTypeAt(i - 4);
        if (isComparison(i + 1)) return ColumnTypeAt(i + 2);
        return std::nullopt;
    }

    std::optional<TFieldType> ColumnTypeAt(size_t k) const {
        if (!catalogue_ || k >= tokens_.size() || tokens_[k].Kind != TTokenKind::Word || IsClauseWord(tokens_[k]))
            return std::nullopt;
        for (const QString& table : result_.Tables)
            if (const auto type = catalogue_->ColumnType(table, tokens_[k].Text)) return type;
        return std::nullopt;
    }

    QString text_;
    const TSqlCatalogue* catalogue_;
    std::vector<TToken> tokens_;
    std::vector<std::optional<QString>> out_;   // a null string: the token is dropped
    TTranslatedStatement result_;
};

}  // namespace

TTranslatedStatement TranslateStatement(const QString& text, const TSqlCatalogue* catalogue) {
    // A QBE text is not SQL at all: say so before reading it as SQL.
    static const QRegularExpression qbe(QStringLiteral("^\\s*query(\\s|$)"), QRegularExpression::CaseInsensitiveOption);
    if (qbe.match(text).hasMatch()) Refuse(QStringLiteral("QBE statements are not supported"), text);
    return TTranslator(text, catalogue).Run();
}

QString IndexStorageName(const QString& table, const QString& index) {
    return StripTableExtension(table) + QStringLiteral("__") + index;
}

QString IndexNameFromStorage(const QString& table, const QString& storageName) {
    const QString prefix = StripTableExtension(table) + QStringLiteral("__");
    if (storageName.startsWith(prefix, Qt::CaseInsensitive)) return storageName.mid(prefix.size());
    return storageName;
}

QString QuoteIdentifier(const QString& name) {
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}
