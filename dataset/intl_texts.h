#pragma once
// The texts of the library's dialogs, hints and messages, grouped as the
// library's text component publishes them. Each group starts with its
// English defaults; an application translates by changing them.
#include <QString>

struct TwwSearchDialogIntl {
    QString SearchCharLabel = QStringLiteral("Search &Characters");
    QString SearchCharShortLabel = QStringLiteral("&Search");
    QString SearchByLabel = QStringLiteral("Search &By");
    QString StatusRecLabel = QStringLiteral("Record");
    QString StatusOfLabel = QStringLiteral("of");
    QString SearchCharHint = QStringLiteral("Type the characters to search for");
    QString SearchByHint = QStringLiteral("Choose the field to search in");
};

struct TwwLocateDialogIntl {
    QString FieldValueLabel = QStringLiteral("Field &Value");
    QString SearchTypeLabel = QStringLiteral("Search Type");
    QString CaseSensitiveLabel = QStringLiteral("Case Sensi&tive");
    QString MatchExactLabel = QStringLiteral("&Exact Match");
    QString MatchStartLabel = QStringLiteral("&Partial Match at Beginning");
    QString MatchAnyLabel = QStringLiteral("Partial Match Any&where");
    QString FieldsLabel = QStringLiteral("F&ields");
    QString BtnFirst = QStringLiteral("Fi&rst");
    QString BtnNext = QStringLiteral("&Next");
    QString BtnCancel = QStringLiteral("Cancel");
    QString FieldValueHint = QStringLiteral("Type the value to look for");
    QString CaseSensitiveHint = QStringLiteral("Tell upper from lower case");
    QString MatchExactHint = QStringLiteral("The field must equal the value");
    QString MatchStartHint = QStringLiteral("The field must begin with the value");
    QString MatchAnyHint = QStringLiteral("The field may hold the value anywhere");
    QString BtnFirstHint = QStringLiteral("Go to the first matching record");
    QString BtnNextHint = QStringLiteral("Go to the next matching record");
    QString FieldNameHint = QStringLiteral("Choose the field to search in");
};

struct TwwFilterDialogIntl {
    QString BtnViewSummary = QStringLiteral("&Summary");
    QString BtnViewSummaryHint = QStringLiteral("Show every search criterion chosen");
    QString BtnNewSearch = QStringLiteral("&New Search");
    QString BtnNewSearchHint = QStringLiteral("Clear every search criterion");
    QString FieldOrderLabel = QStringLiteral("Field Order");
    QString FieldOrderHint = QStringLiteral("List the fields alphabetically or in table order");
    QString AlphabeticLabel = QStringLiteral("&Alphabetic");
    QString LogicalLabel = QStringLiteral("&Logical");
    QString AllFieldsLabel = QStringLiteral("&All Fields");
    QString SearchedFieldsLabel = QStringLiteral("Searched &Fields");
    QString StartingRangeLabel = QStringLiteral("&Starting Range");
    QString EndingRangeLabel = QStringLiteral("&Ending Range");
    QString StartingRangeHint = QStringLiteral("The lowest value to find");
    QString EndingRangeHint = QStringLiteral("The highest value to find");
    QString BtnClearMin = QStringLiteral("Clear");
    QString BtnClearMax = QStringLiteral("Clear");
    QString BtnClearFilterValue = QStringLiteral("Clear");
    QString BtnClearMinHint = QStringLiteral("Clear the starting range");
    QString BtnClearMaxHint = QStringLiteral("Clear the ending range");
    QString BtnClearFilterValueHint = QStringLiteral("Clear the field value");
    QString ByValueLabel = QStringLiteral("By &Value");
    QString ByRangeLabel = QStringLiteral("By &Range");
    QString FieldValueLabel = QStringLiteral("Field &Value");
    QString FieldValueHint = QStringLiteral("Type the value to look for");
    QString SearchTypeLabel = QStringLiteral("Search Type");
    QString SearchTypeHint = QStringLiteral("How the field must match the value");
    QString MatchExactLabel = QStringLiteral("&Exact Match");
    QString MatchStartLabel = QStringLiteral("&Partial Match at Beginning");
    QString MatchAnyLabel = QStringLiteral("Partial Match Any&where");
    QString CaseSensitiveLabel = QStringLiteral("Case Sensi&tive");
    QString CaseSensitiveHint = QStringLiteral("Tell upper from lower case");
    QString NonMatchingLabel = QStringLiteral("N&on-Matching Records");
    QString NonMatchingHint = QStringLiteral("Find the records that do not match");
    QString SummaryFieldLabel = QStringLiteral("Field");
    QString SummarySearchLabel = QStringLiteral("Search");
    QString SummaryValueLabel = QStringLiteral("Value");
    QString FieldsLabel = QStringLiteral("F&ields");
    QString ValueRangeTabHint = QStringLiteral("Search by one value or by a range");
    QString AllSearchedTabHint = QStringLiteral("Show every field or only the searched ones");
    QString ViewSummaryNotText = QStringLiteral("Not ");
};

struct TwwRichEditMenuLabels {
    QString FileCaption = QStringLiteral("&File");
    QString LoadCaption = QStringLiteral("&Open...");
    QString SaveAsCaption = QStringLiteral("Save &As...");
    QString SaveExitCaption = QStringLiteral("&Save and Exit");
    QString PrintCaption = QStringLiteral("&Print");
    QString PageSetupCaption = QStringLiteral("Page Set&up...");
    QString ExitCaption = QStringLiteral("E&xit");
    QString EditCaption = QStringLiteral("&Edit");
    QString UndoCaption = QStringLiteral("&Undo");
    QString CutCaption = QStringLiteral("Cu&t");
    QString CopyCaption = QStringLiteral("&Copy");
    QString PasteCaption = QStringLiteral("&Paste");
    QString ClearCaption = QStringLiteral("Cle&ar");
    QString SelectallCaption = QStringLiteral("Select A&ll");
    QString FindCaption = QStringLiteral("&Find...");
    QString FindNextCaption = QStringLiteral("Find &Next");
    QString ReplaceCaption = QStringLiteral("R&eplace...");
    QString ViewCaption = QStringLiteral("&View");
    QString ToolbarCaption = QStringLiteral("&Toolbar");
    QString FormatBarCaption = QStringLiteral("&Format Bar");
    QString ViewStatusBarCaption = QStringLiteral("&Status Bar");
    QString OptionsCaption = QStringLiteral("&Options...");
    QString FormatCaption = QStringLiteral("F&ormat");
    QString FontCaption = QStringLiteral("&Font...");
    QString BulletStyleCaption = QStringLiteral("&Bullet Style");
    QString ParagraphCaption = QStringLiteral("&Paragraph...");
    QString TabsCaption = QStringLiteral("&Tabs...");
    QString HelpCaption = QStringLiteral("&Help");
};

struct TwwRichEditPopupMenuLabels {
    QString EditCaption = QStringLiteral("&Edit...");
    QString CutCaption = QStringLiteral("Cu&t");
    QString CopyCaption = QStringLiteral("&Copy");
    QString PasteCaption = QStringLiteral("&Paste");
    QString FontCaption = QStringLiteral("&Font...");
    QString BulletStyleCaption = QStringLiteral("B&ullet Style");
    QString BoldCaption = QStringLiteral("&Bold");
    QString ItalicCaption = QStringLiteral("&Italic");
    QString UnderlineCaption = QStringLiteral("U&nderline");
    QString ParagraphCaption = QStringLiteral("P&aragraph...");
    QString TabsCaption = QStringLiteral("&Tabs...");
    QString FindCaption = QStringLiteral("Fin&d...");
    QString ReplaceCaption = QStringLiteral("&Replace...");
};

struct TwwRichEditParagraphDlg {
    QString ParagraphDlgCaption = QStringLiteral("Paragraph");
    QString IndentationGroupBoxCaption = QStringLiteral("Indentation");
    QString LeftEditHint = QStringLiteral("Indent of the left edge");
    QString RightEditHint = QStringLiteral("Indent of the right edge");
    QString FirstLineEditHint = QStringLiteral("Indent of the first line");
    QString AlignmentHint = QStringLiteral("How the lines line up");
    QString LeftEditCaption = QStringLiteral("&Left:");
    QString RightEditCaption = QStringLiteral("&Right:");
    QString FirstLineEditCaption = QStringLiteral("&First Line:");
    QString AlignmentCaption = QStringLiteral("&Alignment:");
    QString AlignLeft = QStringLiteral("Left");
    QString AlignRight = QStringLiteral("Right");
    QString AlignCenter = QStringLiteral("Center");
};

struct TwwRichEditTabDlg {
    QString TabDlgCaption = QStringLiteral("Tabs");
    QString TabGroupBoxCaption = QStringLiteral("Tab Stop Position");
    QString SetTabButtonCaption = QStringLiteral("&Set");
    QString ClearTabButtonCaption = QStringLiteral("&Clear");
    QString ClearAllButtonCaption = QStringLiteral("Clear &All");
    QString TabPositionEditHint = QStringLiteral("Where the tab stop goes");
    QString ListBoxHint = QStringLiteral("The paragraph's tab stops");
    QString SetButtonHint = QStringLiteral("Set a tab stop at this position");
    QString ClearButtonHint = QStringLiteral("Clear the chosen tab stop");
    QString ClearAllButtonHint = QStringLiteral("Clear every tab stop");
};

struct TwwDBRichEditIntl {
    QString FontNameComboHint = QStringLiteral("Font Name");
    QString FontSizeComboHint = QStringLiteral("Font Size");
    QString NewButtonHint = QStringLiteral("New");
    QString LoadButtonHint = QStringLiteral("Open");
    QString SaveAsButtonHint = QStringLiteral("Save As");
    QString PrintButtonHint = QStringLiteral("Print");
    QString FindButtonHint = QStringLiteral("Find");
    QString CutButtonHint = QStringLiteral("Cut");
    QString CopyButtonHint = QStringLiteral("Copy");
    QString UndoButtonHint = QStringLiteral("Undo");
    QString PasteButtonHint = QStringLiteral("Paste");
    QString BoldButtonHint = QStringLiteral("Bold");
    QString UnderlineButtonHint = QStringLiteral("Underline");
    QString ItalicButtonHint = QStringLiteral("Italic");
    QString LeftButtonHint = QStringLiteral("Align Left");
    QString CenterButtonHint = QStringLiteral("Center");
    QString RightButtonHint = QStringLiteral("Align Right");
    QString BulletButtonHint = QStringLiteral("Bullets");
    QString SaveExitHint = QStringLiteral("Save the changes and close");
    QString PageSetupHint = QStringLiteral("Set up the printed page");
    QString ExitHint = QStringLiteral("Close the editor");
    QString ClearHint = QStringLiteral("Delete the selected text");
    QString SelectAllHint = QStringLiteral("Select the whole text");
    QString FindNextHint = QStringLiteral("Find the next occurrence");
    QString ReplaceHint = QStringLiteral("Replace one text with another");
    QString ToolbarHint = QStringLiteral("Show or hide the toolbar");
    QString FormatBarHint = QStringLiteral("Show or hide the format bar");
    QString ViewStatusBarHint = QStringLiteral("Show or hide the status bar");
    QString OptionsHint = QStringLiteral("Change the editor's options");
    QString FontHint = QStringLiteral("Change the font of the selection");
    QString ParagraphHint = QStringLiteral("Change the indents and alignment");
    QString TabsHint = QStringLiteral("Set the tab stops");
    QString CAPLockCaption = QStringLiteral("CAP");
    QString NUMLockCaption = QStringLiteral("NUM");
    TwwRichEditMenuLabels MenuLabels;
    TwwRichEditPopupMenuLabels PopupMenuLabels;
    TwwRichEditParagraphDlg ParagraphDialog;
    TwwRichEditTabDlg TabDialog;
};

struct TwwUserMessagesIntl {
    QString wwDBGridDiscardChanges = QStringLiteral("Discard changes to this record?");
    QString PictureValidateError = QStringLiteral("Invalid characters. Field : ");
    QString LocateNoMatches = QStringLiteral("No matches found");
    QString LocateNoMoreMatches = QStringLiteral("No more matches found");
    QString MemoChangesWarning = QStringLiteral("Changes have been made!  Are you sure you wish to cancel?");
    QString RichEditExitWarning = QStringLiteral("Changes have been made!  Do you wish to save your changes?");
    QString RichEditClearWarning = QStringLiteral("Clear entire text?");
    QString FilterDlgNoCriteria = QStringLiteral("You have not selected any search criteria");
    QString RecordViewExitWarning = QStringLiteral("Changes have been made!  Do you wish to save your changes?");
};
