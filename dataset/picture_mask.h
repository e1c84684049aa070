#pragma once
// TwwPictureValidator: checks typed text against a picture mask.
//
// The mask language:
//   #  a digit            ?  a letter (A-Z, a-z, or any code above 128)
//   &  a letter, stored in upper case      ~  a letter, stored in lower case
//   !  any character, stored in upper case @  any character
//   *n the next item exactly n times (n taken modulo 256); * alone: any number of times
//   [ ] an optional part   { } a group    , separates alternatives
//   ;  the next character is a literal    anything else is that literal
//
// A literal matches its own character without regard to the case of a to z,
// or a blank typed as the last character, which the literal then replaces.
#include <QString>
#include <cstdint>

// Ambiguous (complete, though more may follow) and IncompleteNoFill
// (incomplete, but no literal may be filled in) exist only during a check:
// Picture reports them as Complete and Incomplete.
enum TPicResult : std::uint8_t {
    prComplete, prIncomplete, prEmpty, prError, prSyntax, prAmbiguous, prIncompleteNoFill,
};

class TwwPictureValidator {
public:
    enum : std::uint16_t { vsOk = 0, vsSyntax = 1 };                // Status
    enum : std::uint16_t { voFill = 0x0001, voOnAppend = 0x0004 };  // Options

    TwwPictureValidator(const QString& mask, bool autoFill);
    virtual ~TwwPictureValidator() = default;

    // While typing: anything but Error passes (also a mask with a syntax
    // error). Fills in literals when the validator auto-fills and the caller
    // does not suppress it.
    virtual bool IsValidInput(QString& text, bool suppressFill) const;
    // A finished text: Complete or Empty.
    virtual bool IsValid(const QString& text) const;
    // Checks Text; converts the case of its characters and puts the mask's
    // literals in place, and with AutoFill appends the literals that must
    // come next when the text is incomplete.
    virtual TPicResult Picture(QString& text, bool autoFill) const;

    const QString& Mask() const { return mask_; }
    std::uint16_t Status() const { return status_; }
    std::uint16_t Options() const { return options_; }

private:
    QString mask_;
    std::uint16_t status_ = vsOk;
    std::uint16_t options_ = voOnAppend;
};
