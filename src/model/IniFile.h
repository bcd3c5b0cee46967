#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// A settings file in INI form ("System.ini"), kept as the lines it was read
// from, so that changing a key leaves every other line (comments, keys and
// sections the editor does not know, line ends) byte for byte as it was.
//
// One set of rules for reading and writing:
// - "[name]" starts a section, a line starting with ";" or "#" is a comment,
//   and "key=value" is a key of the section it is in. Spaces and tabs around a
//   name or a value do not count; names are compared as they are written.
// - A value is everything after the first "=", whatever it holds (",", ";",
//   "=", "%", any character). Only a value that is one text in double quotes,
//   as Qt and the editor write a value that needs them ("a, b"), is read
//   without its quotes and with its backslash escapes resolved.
// - Where a key is there more than once, its last line counts.
// - A value is written in quotes when it would not read back the same without
//   (spaces at either end, a quote, a backslash, a control character) or Qt
//   would read it otherwise (",", ";", "="), so earlier versions read it too.
class IniFile {
public:
    explicit IniFile(const QByteArray& text = {});

    // The key's value; empty when the file has no such key.
    QString Value(const QString& section, const QString& key) const;
    // Changes the key's last line, or adds the key to the end of its section's
    // last part, or the section to the end of the file.
    void SetValue(const QString& section, const QString& key, const QString& value);
    // Removes every line of the key.
    void Remove(const QString& section, const QString& key);

    QByteArray Text() const;

private:
    struct Line {
        QByteArray Text; // without its line end
        QByteArray End;  // "\n", "\r\n", or empty for a last line without one
    };

    // The indices of the key's lines, first to last.
    std::vector<std::size_t> KeyLines(const QByteArray& section, const QByteArray& key) const;
    void Insert(std::size_t at, const QByteArray& text);

    QByteArray Start; // a byte order mark
    std::vector<Line> Lines;
    QByteArray NewLine = "\n";
};
