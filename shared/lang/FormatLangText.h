#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <initializer_list>
#include <span>

// Formats a language text that holds printf placeholders, without ever
// handing the text to printf: the text comes from a file anybody can edit, so
// a wrong placeholder must not crash or read the stack.
//
// Contract
// - Placeholders: %[flags][width][.precision][length]conversion with flags
//   "-+ 0#", a decimal width and precision (no "*"), the length modifiers
//   hh h l ll q j z t L and I64 (all accepted, the argument decides the
//   width), and the conversions d i u x X o c s S. "%%" gives "%".
// - Arguments are taken in order, one per placeholder. A number given to %s
//   appears as decimal text; a text given to a numeric conversion appears as
//   the text itself (width and "-" still apply).
// - %u %x %X %o of a negative number use the argument's own width, as printf
//   does with the matching type (-1 as int with %X gives "FFFFFFFF").
// - A placeholder without an argument left, an unknown conversion (%n, %p,
//   %f ...) or an unfinished one at the end is copied to the result as it
//   stands. Surplus arguments are ignored. Nothing here throws or crashes.
//
// Write the key literal inside the call, e.g.
//   FormatLangText(LoadCommonString("CRDS_CMN_ERR_SAVE_FAILED"), nStatus)
// so that the language-key test can match the text's placeholders against
// the arguments of the call.
class LangTextArg
{
public:
    LangTextArg(int v) : m_kind(Kind::Signed), m_signed(v), m_bits(32) {}
    LangTextArg(long v) : m_kind(Kind::Signed), m_signed(v), m_bits(sizeof(long) * 8) {}
    LangTextArg(long long v) : m_kind(Kind::Signed), m_signed(v), m_bits(64) {}
    LangTextArg(unsigned v) : m_kind(Kind::Unsigned), m_unsigned(v), m_bits(32) {}
    LangTextArg(unsigned long v) : m_kind(Kind::Unsigned), m_unsigned(v), m_bits(sizeof(long) * 8)
    {
    }
    LangTextArg(unsigned long long v) : m_kind(Kind::Unsigned), m_unsigned(v), m_bits(64) {}
    LangTextArg(const QString& v) : m_kind(Kind::Text), m_text(v) {}
    LangTextArg(const char* v) : m_kind(Kind::Text), m_text(QString::fromUtf8(v)) {}
    LangTextArg(QChar v) : m_kind(Kind::Text), m_text(v) {}

    enum class Kind { Signed, Unsigned, Text };
    Kind kind() const { return m_kind; }
    std::int64_t signedValue() const { return m_signed; }
    std::uint64_t unsignedValue() const { return m_unsigned; }
    int bits() const { return m_bits; }
    const QString& text() const { return m_text; }

private:
    Kind m_kind;
    std::int64_t m_signed = 0;
    std::uint64_t m_unsigned = 0;
    int m_bits = 64;
    QString m_text;
};

// The arguments as a list, for a caller that chooses them at run time.
QString FormatLangTextList(const QString& text, std::span<const LangTextArg> args);

inline QString FormatLangTextList(const QString& text, std::initializer_list<LangTextArg> args)
{
    return FormatLangTextList(text, std::span<const LangTextArg>(args.begin(), args.size()));
}

template <typename... Args> QString FormatLangText(const QString& text, const Args&... args)
{
    return FormatLangTextList(text, {LangTextArg(args)...});
}

// The conversions of a text's placeholders in order ("d", "s", "X" ...);
// "%%" is no placeholder. A placeholder that FormatLangText does not support
// is returned as "?" followed by its text.
QStringList LangTextPlaceholders(const QString& text);
