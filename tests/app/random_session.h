#pragma once
// The pieces of the randomised session test that know nothing of the windows:
// the step tokens a session is written in (so that a failure can be replayed
// from its printout), the boxes answered as a step's token asks (at once, or
// shown for real and clicked from inside their modal loop), pictures of the
// book's tables compared step by step, and a watch on a dataset's posts,
// cancels and deletes.
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/engine/engine_database.h"
#include "platform/rtl/format.h"
#include "tests/support/real_boxes.h"
#include "tests/support/scripted_presenter.h"
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <cctype>
#include <cmath>
#include <functional>
#include <map>
#include <set>
#include <vector>

// One user event of a session: "verb", "verb:argument", and the answer its
// boxes get after "@" (y: Yes or OK, n: No or Cancel, c: Cancel or No; in
// capitals the boxes are real ones).
struct TSessionToken {
    QString Verb;
    QString Argument;
    char Answer = 'y';

    static TSessionToken Parse(const QString& text)
    {
        TSessionToken token;
        QString body = text;
        if (const qsizetype at = body.lastIndexOf(QLatin1Char('@')); at > 0 && at == body.size() - 2) {
            token.Answer = body.back().toLatin1();
            body.chop(2);
        }
        const qsizetype colon = body.indexOf(QLatin1Char(':'));
        token.Verb = colon < 0 ? body : body.left(colon);
        token.Argument = colon < 0 ? QString() : body.mid(colon + 1);
        return token;
    }

    QString Text() const
    {
        return (Argument.isEmpty() ? Verb : Verb + QLatin1Char(':') + Argument) + QLatin1Char('@') +
               QLatin1Char(Answer);
    }
};

// Answers each box with the step's choice among the buttons it offers, and
// keeps every box's text in the order shown, error boxes included. With a
// capital choice the box is the program's real one, its button clicked from
// inside its modal loop after what the user does while it is up (WhileUp:
// lets go of the mouse button the box came up under).
class TTokenAnswers : public ScriptedPresenter {
public:
    TTokenAnswers() { SetPresenter(this); }   // (the real boxes took the place on their way in)

    char Choice = 'y';
    std::vector<QString> Texts;
    std::set<QString> Questions;   // texts of the boxes that offered a choice
    std::function<void()> WhileUp;   // run once, under the next real box
    std::vector<QString> Stuck;   // real boxes that stayed up after their button was clicked

    bool Real() const { return std::isupper(static_cast<unsigned char>(Choice)); }

    int ShowMessage(const TMessageRequest& request) override
    {
        Texts.push_back(request.Text);
        if (request.Buttons != mbOK)
            Questions.insert(request.Text);
        if (Real() && answers.empty()) {
            ArmReal(request.Text);
            real_.Answer(Choose(request.Buttons));
            return real_.ShowMessage(request);
        }
        if (answers.empty())
            Answer(Choose(request.Buttons));
        return ScriptedPresenter::ShowMessage(request);
    }

    void ShowException(const Exception& error) override
    {
        Texts.push_back(error.Message);
        if (Real() && !dynamic_cast<const EAbort*>(&error)) {
            ArmReal(error.Message);
            real_.Answer(mrOk);
            real_.ShowException(error);
            return;
        }
        ScriptedPresenter::ShowException(error);
    }

private:
    RealBoxes real_;
    QObject alive_;   // the watch's timers go with the answers

    void ArmReal(const QString& text)
    {
        real_.WhileUp([this](QMessageBox&) {
            if (const std::function<void()> step = std::exchange(WhileUp, {}))
                step();
        });
        QTimer::singleShot(0, &alive_, [this, text] { WatchAnswered(text, nullptr, 0); });
    }

    // A box whose button was clicked and that is still up a second later
    // took no click: it is noted, and closed so that the session goes on.
    void WatchAnswered(const QString& text, QPointer<QMessageBox> seen, int tries)
    {
        if (!seen) {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box && box->isVisible() && box->text() == text)
                seen = box;
            else if (tries > 400)
                return;
        } else if (!seen->isVisible()) {
            return;
        } else if (tries > 100) {
            Stuck.push_back(text);
            seen->done(0);
            return;
        }
        QTimer::singleShot(10, &alive_, [this, text, seen, tries] { WatchAnswered(text, seen, tries + 1); });
    }

    int Choose(TMsgDlgButtons buttons) const
    {
        const auto first = [buttons](std::initializer_list<std::pair<TMsgDlgBtn, int>> order) {
            for (const auto& [button, result] : order)
                if (buttons & button) return result;
            return DefaultAnswer(buttons);
        };
        switch (std::tolower(static_cast<unsigned char>(Choice))) {
        case 'n': return first({{mbNo, mrNo}, {mbCancel, mrCancel}});
        case 'c': return first({{mbCancel, mrCancel}, {mbNo, mrNo}});
        default: return first({{mbYes, mrYes}, {mbOK, mrOk}});
        }
    }
};

// A table of the book as its rows keyed by the primary key ("a|b"), each row
// written out whole, read straight from the database.
struct TTablePicture {
    QString Table;
    QStringList KeyFields;
    std::map<QString, QString> Rows;

    static TTablePicture Take(TEngineDatabase& db, const QString& table, const QStringList& keyFields)
    {
        TTablePicture picture{table, keyFields, {}};
        const std::unique_ptr<TResultSet> result = db.Query(QStringLiteral("select * from ") + table);
        std::vector<int> keyColumns;
        for (const QString& field : keyFields)
            for (int column = 0; column < result->ColumnCount(); ++column)
                if (result->ColumnName(column).compare(field, Qt::CaseInsensitive) == 0)
                    keyColumns.push_back(column);
        while (result->Next()) {
            QStringList key, values;
            for (const int column : keyColumns)
                key << result->Value(column).toString();
            for (int column = 0; column < result->ColumnCount(); ++column)
                values << result->ColumnName(column) + QLatin1Char('=') + result->Value(column).toString();
            picture.Rows[key.join(QLatin1Char('|'))] = values.join(QStringLiteral(", "));
        }
        return picture;
    }
};

// A row that differs between two pictures: no Before when it was added, no
// After when it was removed.
struct TRowChange {
    QString Table;
    QString Key;
    QString Before;
    QString After;
};

inline std::vector<TRowChange> Changes(const TTablePicture& before, const TTablePicture& after)
{
    std::vector<TRowChange> changes;
    for (const auto& [key, row] : before.Rows) {
        const auto now = after.Rows.find(key);
        if (now == after.Rows.end())
            changes.push_back({before.Table, key, row, {}});
        else if (now->second != row)
            changes.push_back({before.Table, key, row, now->second});
    }
    for (const auto& [key, row] : after.Rows)
        if (!before.Rows.contains(key))
            changes.push_back({before.Table, key, {}, row});
    return changes;
}

// A value typed into a grid cell and not yet confirmed: the record it went
// into, its field and the editor's text.
struct TTypedValue {
    TDataSet* DataSet = nullptr;
    QString Field;
    QString Key;
    QString Text;
};

// Whether a field's text holds what the editor showed: numbers by value,
// dates by day, texts as they stand.
inline bool HoldsTypedValue(const TField& field, const QString& stored, const QString& typed)
{
    if (stored.trimmed() == typed.trimmed())
        return true;
    using enum TFieldType;
    switch (field.DataType()) {
    case ftFloat:
    case ftCurrency:
    case ftSmallint:
    case ftInteger: {
        const auto number = [](QString text) { return text.remove(QLatin1Char(',')).trimmed().toDouble(); };
        return std::abs(number(stored) - number(typed)) < 0.005;
    }
    case ftDate: {
        TDateTime storedDate, typedDate;
        return TryStrToDate(stored, storedDate) && TryStrToDate(typed, typedDate) && storedDate == typedDate;
    }
    default:
        return false;
    }
}

// Counts what a dataset did during a step, in front of the handlers the
// program gave it, and gives those back when it goes.
class TDataSetWatch {
public:
    TDataSetWatch(TDataSet& dataSet, QStringList keyFields)
        : dataSet_(dataSet), keyFields_(std::move(keyFields)), beforePost_(dataSet.BeforePost),
          afterPost_(dataSet.AfterPost), beforeCancel_(dataSet.BeforeCancel), beforeDelete_(dataSet.BeforeDelete),
          afterDelete_(dataSet.AfterDelete), afterEdit_(dataSet.AfterEdit), afterInsert_(dataSet.AfterInsert)
    {
        // A record in its edit is known by every key it has had: typing into
        // a key field moves the row it posts.
        dataSet.AfterEdit = [this](TDataSet& self) {
            editKeys_ = {Key()};
            if (afterEdit_) afterEdit_(self);
        };
        dataSet.AfterInsert = [this](TDataSet& self) {
            editKeys_ = {Key()};
            if (afterInsert_) afterInsert_(self);
        };
        dataSet.BeforePost = [this](TDataSet& self) {
            ++PostsTried;
            if (beforePost_) beforePost_(self);
        };
        dataSet.AfterPost = [this](TDataSet& self) {
            ++PostsDone;
            editKeys_.insert(Key());
            Posted.push_back(editKeys_);
            auto& texts = PostedTexts[Key()];
            for (int index = 0; index < self.FieldCount(); ++index)
                texts[self.Fields(index)->FieldName()] = self.Fields(index)->Text();
            if (afterPost_) afterPost_(self);
        };
        dataSet.BeforeCancel = [this](TDataSet& self) {
            if (self.Modified())
                DroppedChanges << Key();
            if (beforeCancel_) beforeCancel_(self);
        };
        dataSet.BeforeDelete = [this](TDataSet& self) {
            deleting_ = Editing() ? editKeys_ : std::set<QString>{};
            deleting_.insert(Key());
            if (beforeDelete_) beforeDelete_(self);
        };
        dataSet.AfterDelete = [this](TDataSet& self) {
            Deleted.push_back(deleting_);
            if (afterDelete_) afterDelete_(self);
        };
    }

    ~TDataSetWatch()
    {
        dataSet_.BeforePost = beforePost_;
        dataSet_.AfterPost = afterPost_;
        dataSet_.BeforeCancel = beforeCancel_;
        dataSet_.BeforeDelete = beforeDelete_;
        dataSet_.AfterDelete = afterDelete_;
        dataSet_.AfterEdit = afterEdit_;
        dataSet_.AfterInsert = afterInsert_;
    }

    TDataSetWatch(const TDataSetWatch&) = delete;
    TDataSetWatch& operator=(const TDataSetWatch&) = delete;

    // Starts a step: forgets the last one and notes the current row.
    void Begin()
    {
        PostsTried = PostsDone = 0;
        DroppedChanges.clear();
        PostedTexts.clear();
        Posted.clear();
        Deleted.clear();
        StartKey = dataSet_.Active() && !(dataSet_.State() == dsBrowse && dataSet_.IsEmpty()) ? Key() : QString();
        if (Editing())
            editKeys_.insert(StartKey);
    }

    // The current record's key as the table picture writes it.
    QString Key() const
    {
        QStringList key;
        for (const QString& field : keyFields_)
            key << dataSet_.FieldByName(field)->AsString();
        return key.join(QLatin1Char('|'));
    }

    bool Editing() const { return dataSet_.State() == dsEdit || dataSet_.State() == dsInsert; }
    TDataSet& DataSet() const { return dataSet_; }

    int PostsTried = 0;
    int PostsDone = 0;
    QStringList DroppedChanges;   // keys of changed records a cancel dropped
    std::map<QString, std::map<QString, QString>> PostedTexts;   // each posted record's field texts, by key
    std::vector<std::set<QString>> Posted;   // each posted record's keys, from its edit's start to the post
    std::vector<std::set<QString>> Deleted;  // each deleted record's keys, its edit's included
    QString StartKey;             // the current record's key when the step began

private:
    TDataSet& dataSet_;
    QStringList keyFields_;
    std::function<void(TDataSet&)> beforePost_, afterPost_, beforeCancel_, beforeDelete_, afterDelete_, afterEdit_,
        afterInsert_;
    std::set<QString> editKeys_;
    std::set<QString> deleting_;
};
