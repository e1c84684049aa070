#include "platform/rtl/string_list.h"
#include "platform/rtl/exceptions.h"
#include <QFile>
#include <QTextStream>
#include <algorithm>

namespace {

[[noreturn]] void IndexError(int index)
{
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

// An item of CommaText is quoted when it holds a blank, a comma, a quote or a
// control character, so that reading the text back gives the same items.
bool NeedsQuotes(const QString& text)
{
    for (const QChar c : text)
        if (c <= QLatin1Char(' ') || c == QLatin1Char(',') || c == QLatin1Char('"')) return true;
    return false;
}

} // namespace

// ---- TStrings ---------------------------------------------------------------

const QString& TStrings::operator[](int index) const
{
    if (index < 0 || index >= Count()) IndexError(index);
    return items_[index].text;
}

void TStrings::SetString(int index, const QString& value)
{
    if (index < 0 || index >= Count()) IndexError(index);
    items_[index].text = value;
    Changed();
}

void* TStrings::Objects(int index) const
{
    if (index < 0 || index >= Count()) IndexError(index);
    return items_[index].object;
}

void TStrings::SetObject(int index, void* object)
{
    if (index < 0 || index >= Count()) IndexError(index);
    items_[index].object = object;
    Changed();
}

int TStrings::Add(const QString& value)
{
    const int index = Count();
    Insert(index, value);
    return index;
}

int TStrings::AddObject(const QString& value, void* object)
{
    const int before = Count();
    const int index = Add(value);
    if (Count() > before) items_[index].object = object;   // not when a sorted list ignored a duplicate
    return index;
}

void TStrings::Insert(int index, const QString& value)
{
    if (index < 0 || index > Count()) IndexError(index);
    items_.insert(items_.begin() + index, Item{value, nullptr});
    Changed();
}

void TStrings::Delete(int index)
{
    if (index < 0 || index >= Count()) IndexError(index);
    items_.erase(items_.begin() + index);
    Changed();
}

void TStrings::Clear()
{
    if (items_.empty()) return;
    items_.clear();
    Changed();
}

void TStrings::Move(int from, int to)
{
    if (from == to) return;
    if (from < 0 || from >= Count()) IndexError(from);
    if (to < 0 || to >= Count()) IndexError(to);
    Item item = std::move(items_[from]);
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, std::move(item));
    Changed();
}

void TStrings::Exchange(int a, int b)
{
    if (a < 0 || a >= Count()) IndexError(a);
    if (b < 0 || b >= Count()) IndexError(b);
    std::swap(items_[a], items_[b]);
    Changed();
}

int TStrings::IndexOf(const QString& value) const
{
    for (int i = 0; i < Count(); ++i)
        if (items_[i].text.compare(value, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

void TStrings::Assign(const TStrings& other)
{
    if (&other == this) return;
    BeginUpdate();
    items_.clear();
    AddStrings(other);
    EndUpdate();
}

void TStrings::AddStrings(const TStrings& other)
{
    const std::vector<Item> copy = other.items_;   // other may be this list
    BeginUpdate();
    for (const Item& item : copy) AddObject(item.text, item.object);
    EndUpdate();
}

QString TStrings::Text() const
{
    QString text;
    for (const Item& item : items_) text += item.text + QStringLiteral("\r\n");
    return text;
}

void TStrings::SetText(const QString& text)
{
    BeginUpdate();
    items_.clear();
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n')) ++end;
        Add(text.mid(start, end - start));
        if (end < n && text[end] == QLatin1Char('\r')) ++end;
        if (end < n && text[end] == QLatin1Char('\n')) ++end;
        start = end;
    }
    EndUpdate();
}

QString TStrings::CommaText() const
{
    // A lone empty line is written as "" so that it reads back as one line.
    if (Count() == 1 && items_[0].text.isEmpty()) return QStringLiteral("\"\"");
    QStringList parts;
    for (const Item& item : items_) {
        if (NeedsQuotes(item.text)) {
            QString quoted = item.text;
            quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
            parts << QLatin1Char('"') + quoted + QLatin1Char('"');
        } else {
            parts << item.text;
        }
    }
    return parts.join(QLatin1Char(','));
}

// Items are separated by commas or blanks; a quoted item may hold both, with
// doubled quotes for a quote.
void TStrings::SetCommaText(const QString& text)
{
    BeginUpdate();
    items_.clear();
    const qsizetype n = text.size();
    auto isSpace = [](QChar c) { return c <= QLatin1Char(' '); };
    qsizetype i = 0;
    while (i < n && isSpace(text[i])) ++i;
    while (i < n) {
        QString item;
        if (text[i] == QLatin1Char('"')) {
            ++i;
            while (i < n) {
                if (text[i] == QLatin1Char('"')) {
                    if (i + 1 < n && text[i + 1] == QLatin1Char('"')) { item += QLatin1Char('"'); i += 2; continue; }
                    ++i;
                    break;
                }
                item += text[i++];
            }
        } else {
            while (i < n && text[i] != QLatin1Char(',') && !isSpace(text[i])) item += text[i++];
        }
        Add(item);
        while (i < n && isSpace(text[i])) ++i;
        if (i < n && text[i] == QLatin1Char(',')) {
            ++i;
            while (i < n && isSpace(text[i])) ++i;
            if (i == n) Add(QString());   // a trailing comma ends with an empty item
        }
    }
    EndUpdate();
}

QString TStrings::Names(int index) const
{
    const QString& line = (*this)[index];
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : line.left(eq);
}

int TStrings::IndexOfName(const QString& name) const
{
    for (int i = 0; i < Count(); ++i) {
        const QString& line = items_[i].text;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq >= 0 && QStringView(line).left(eq).compare(name, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

QString TStrings::Values(const QString& name) const
{
    const int index = IndexOfName(name);
    if (index < 0) return {};
    const QString& line = items_[index].text;
    return line.mid(line.indexOf(QLatin1Char('=')) + 1);
}

// An empty value removes the line, as the original list does.
void TStrings::SetValue(const QString& name, const QString& value)
{
    const int index = IndexOfName(name);
    if (value.isEmpty()) {
        if (index >= 0) Delete(index);
    } else if (index >= 0) {
        SetString(index, name + QLatin1Char('=') + value);
    } else {
        Add(name + QLatin1Char('=') + value);
    }
}

void TStrings::SaveToFile(const QString& path) const
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw EInOutError(QStringLiteral("Cannot create file \"%1\". %2").arg(path, file.errorString()));
    const QByteArray bytes = Text().toUtf8();
    if (file.write(bytes) != bytes.size())
        throw EInOutError(QStringLiteral("Cannot write file \"%1\". %2").arg(path, file.errorString()));
}

void TStrings::LoadFromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EInOutError(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    SetText(QString::fromUtf8(file.readAll()));
}

QStringList TStrings::ToQStringList() const
{
    QStringList list;
    list.reserve(Count());
    for (const Item& item : items_) list << item.text;
    return list;
}

// The changes made under BeginUpdate are reported once, at the last EndUpdate.
void TStrings::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0) Changed();
}

void TStrings::Changed()
{
    if (updateCount_ == 0 && OnChange) OnChange(*this);
}

// ---- TStringList -------------------------------------------------------------

TStringList::TStringList(std::initializer_list<QString> lines)
{
    for (const QString& line : lines) Add(line);
}

int TStringList::Compare(const QString& a, const QString& b) const
{
    return a.compare(b, CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

void TStringList::SetSorted(bool sorted)
{
    if (sorted && !sorted_) Sort();
    sorted_ = sorted;
}

void TStringList::Sort()
{
    std::stable_sort(items_.begin(), items_.end(),
                     [this](const Item& a, const Item& b) { return Compare(a.text, b.text) < 0; });
    Changed();
}

bool TStringList::Find(const QString& value, int& index) const
{
    int low = 0, high = Count() - 1;
    bool found = false;
    while (low <= high) {
        const int mid = (low + high) / 2;
        const int c = Compare(items_[mid].text, value);
        if (c < 0) {
            low = mid + 1;
        } else {
            high = mid - 1;
            if (c == 0) {
                found = true;
                if (Duplicates != TDuplicates::dupAccept) low = mid;
            }
        }
    }
    index = low;
    return found;
}

int TStringList::Add(const QString& value)
{
    if (!sorted_) return TStrings::Add(value);
    int index = 0;
    if (Find(value, index)) {
        if (Duplicates == TDuplicates::dupIgnore) return index;
        if (Duplicates == TDuplicates::dupError)
            throw EListError(QStringLiteral("String list does not allow duplicates"));
    }
    items_.insert(items_.begin() + index, Item{value, nullptr});
    Changed();
    return index;
}

void TStringList::Insert(int index, const QString& value)
{
    if (sorted_) throw EListError(QStringLiteral("Operation not allowed on sorted list"));
    TStrings::Insert(index, value);
}

int TStringList::IndexOf(const QString& value) const
{
    if (!sorted_) {
        for (int i = 0; i < Count(); ++i)
            if (Compare(items_[i].text, value) == 0) return i;
        return -1;
    }
    int index = 0;
    return Find(value, index) ? index : -1;
}
