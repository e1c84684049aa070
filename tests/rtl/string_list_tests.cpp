#include "platform/rtl/exceptions.h"
#include "platform/rtl/string_list.h"
#include "tests/support/qt_print.h"
#include "tests/support/temp_dir.h"
#include <gtest/gtest.h>

TEST(StringList, TextJoinsWithCrLfAndSplitsAnyLineEnd)
{
    TStringList list{"one", "two", ""};
    EXPECT_EQ(list.Text(), "one\r\ntwo\r\n\r\n");
    list.SetText("a\r\nb\nc\rd");
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list[3], "d");
    list.SetText("x\r\n\r\ny\r\n");
    EXPECT_EQ(list.ToQStringList(), QStringList({"x", "", "y"}));
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Text(), "");
}

TEST(StringList, CommaTextQuotesWhatWouldNotReadBack)
{
    TStringList list{"plain", "two words", "a,b", "say \"hi\"", ""};
    EXPECT_EQ(list.CommaText(), "plain,\"two words\",\"a,b\",\"say \"\"hi\"\"\",");
    TStringList back;
    back.SetCommaText(list.CommaText());
    EXPECT_EQ(back.ToQStringList(), list.ToQStringList());

    back.SetCommaText("a b, \"c d\" ,e");
    EXPECT_EQ(back.ToQStringList(), QStringList({"a", "b", "c d", "e"}));
    TStringList lone{""};
    EXPECT_EQ(lone.CommaText(), "\"\"");
    back.SetCommaText(lone.CommaText());
    EXPECT_EQ(back.Count(), 1);
}

TEST(StringList, NameValueLines)
{
    TStringList list{"Code=001", "Desc=Cash at bank", "NoValue"};
    EXPECT_EQ(list.Values("code"), "001");
    EXPECT_EQ(list.Values("Desc"), "Cash at bank");
    EXPECT_EQ(list.Values("NoValue"), "");
    EXPECT_EQ(list.Names(1), "Desc");
    EXPECT_EQ(list.Names(2), "");
    list.SetValue("Code", "002");
    EXPECT_EQ(list[0], "Code=002");
    list.SetValue("New", "x=y");
    EXPECT_EQ(list.Values("New"), "x=y");
    list.SetValue("Desc", "");   // an empty value removes the line
    EXPECT_EQ(list.IndexOfName("Desc"), -1);
    EXPECT_EQ(list.Count(), 3);
}

TEST(StringList, SortedListsKeepOrderAndHandleDuplicates)
{
    TStringList list;
    list.SetSorted(true);
    for (const char* s : {"pear", "Apple", "fig", "banana"}) list.Add(s);
    EXPECT_EQ(list.ToQStringList(), QStringList({"Apple", "banana", "fig", "pear"}));
    EXPECT_EQ(list.Add("APPLE"), 0);   // ignored: the lists compare without case
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.IndexOf("FIG"), 2);
    EXPECT_EQ(list.IndexOf("grape"), -1);
    int index = -1;
    EXPECT_FALSE(list.Find("cherry", index));
    EXPECT_EQ(index, 2);
    EXPECT_THROW(list.Insert(0, "x"), EListError);

    list.Duplicates = TDuplicates::dupError;
    EXPECT_THROW(list.Add("pear"), EListError);
    list.Duplicates = TDuplicates::dupAccept;
    list.Add("pear");
    EXPECT_EQ(list.Count(), 5);

    TStringList unsortedFirst{"c", "a", "b"};
    unsortedFirst.SetSorted(true);
    EXPECT_EQ(unsortedFirst.ToQStringList(), QStringList({"a", "b", "c"}));
}

TEST(StringList, CaseSensitiveSearch)
{
    TStringList list{"Alpha", "alpha"};
    EXPECT_EQ(list.IndexOf("ALPHA"), 0);
    list.CaseSensitive = true;
    EXPECT_EQ(list.IndexOf("alpha"), 1);
    EXPECT_EQ(list.IndexOf("ALPHA"), -1);
}

TEST(StringList, EditingAndBounds)
{
    int object = 0;
    TStringList list{"a", "b", "c"};
    list.AddObject("d", &object);
    EXPECT_EQ(list.Objects(3), &object);
    list.Move(0, 3);
    EXPECT_EQ(list.ToQStringList(), QStringList({"b", "c", "d", "a"}));
    EXPECT_EQ(list.Objects(2), &object);
    list.Exchange(0, 1);
    list.Delete(3);
    EXPECT_EQ(list.ToQStringList(), QStringList({"c", "b", "d"}));
    try {
        (void)list[3];
        FAIL() << "no exception";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message, "List index out of bounds (3)");
    }
    EXPECT_THROW(list.Delete(-1), EListError);
    EXPECT_THROW(list.Insert(5, "x"), EListError);

    TStringList copy;
    copy.Assign(list);
    copy.AddStrings(copy);
    EXPECT_EQ(copy.Count(), 6);
    EXPECT_EQ(copy.Objects(2), &object);
}

TEST(StringList, ChangeEventsWaitForTheLastEndUpdate)
{
    TStringList list;
    int changes = 0;
    list.OnChange = [&changes](TStrings&) { ++changes; };
    list.Add("a");
    EXPECT_EQ(changes, 1);
    list.BeginUpdate();
    list.BeginUpdate();
    list.Add("b");
    list.Add("c");
    list.EndUpdate();
    EXPECT_EQ(changes, 1);
    list.EndUpdate();
    EXPECT_EQ(changes, 2);
    list.SetCommaText("x,y,z");
    EXPECT_EQ(changes, 3);
}

TEST(StringList, FilesRoundTrip)
{
    TestDir dir;
    TStringList list{"Insert into T values (1)", "", "Ünïcode"};
    list.SaveToFile(dir.File("sql.txt"));
    TStringList back;
    back.LoadFromFile(dir.File("sql.txt"));
    EXPECT_EQ(back.ToQStringList(), list.ToQStringList());
    EXPECT_THROW(back.LoadFromFile(dir.File("missing.txt")), EInOutError);
    EXPECT_THROW(list.SaveToFile(dir.File("no/such/dir/x.txt")), EInOutError);
}
