#pragma once
// TStrings / TStringList: an ordered list of strings, each with an optional
// object pointer, with the list operations the system uses.
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class TStrings {
public:
    virtual ~TStrings() = default;

    int Count() const { return static_cast<int>(items_.size()); }
    const QString& operator[](int index) const;       // EListError "List index out of bounds (n)"
    const QString& Strings(int index) const { return (*this)[index]; }
    void SetString(int index, const QString& value);
    void* Objects(int index) const;
    void SetObject(int index, void* object);

    virtual int Add(const QString& value);
    int AddObject(const QString& value, void* object);
    virtual void Insert(int index, const QString& value);
    void Delete(int index);
    void Clear();
    void Move(int from, int to);
    void Exchange(int a, int b);
    virtual int IndexOf(const QString& value) const;   // case-insensitive, -1 when absent
    void Assign(const TStrings& other);
    void AddStrings(const TStrings& other);

    // Lines joined by CR LF (each line ends with one); setting splits on CR LF, LF or CR.
    QString Text() const;
    void SetText(const QString& text);
    QString CommaText() const;
    void SetCommaText(const QString& text);
    // "Name=Value" lines.
    QString Names(int index) const;
    QString Values(const QString& name) const;
    void SetValue(const QString& name, const QString& value);
    int IndexOfName(const QString& name) const;

    void SaveToFile(const QString& path) const;        // EInOutError when it cannot be written
    void LoadFromFile(const QString& path);
    QStringList ToQStringList() const;

    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    std::function<void(TStrings&)> OnChange;

protected:
    void Changed();
    struct Item { QString text; void* object = nullptr; };
    std::vector<Item> items_;

private:
    int updateCount_ = 0;
};

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
public:
    TStringList() = default;
    TStringList(std::initializer_list<QString> lines);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    TDuplicates Duplicates = TDuplicates::dupIgnore;
    bool CaseSensitive = false;

    int Add(const QString& value) override;      // keeps order when sorted
    void Insert(int index, const QString& value) override;  // EListError on a sorted list
    int IndexOf(const QString& value) const override;
    bool Find(const QString& value, int& index) const;      // sorted lists
    void Sort();

private:
    int Compare(const QString& a, const QString& b) const;
    bool sorted_ = false;
};
