#include "Commands.h"

#include <algorithm>
#include <cstdio>

namespace {
// Function-local so registrars in other translation units may run in any order.
std::vector<CommandEntry>& Registry() {
    static std::vector<CommandEntry> commands;
    return commands;
}

void Write(std::FILE* to, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), to);
}
}  // namespace

TCommandRegistrar::TCommandRegistrar(const char* name, CommandFunction run, const char* usage) {
    Registry().push_back(CommandEntry{name, run, usage});
}

std::vector<CommandEntry> RegisteredCommands() {
    std::vector<CommandEntry> sorted = Registry();
    std::sort(sorted.begin(), sorted.end(), [](const CommandEntry& a, const CommandEntry& b) {
        return QString::fromLatin1(a.Name) < QString::fromLatin1(b.Name);
    });
    return sorted;
}

const CommandEntry* FindCommand(const QString& name) {
    for (const CommandEntry& c : Registry())
        if (name == QLatin1String(c.Name)) return &c;
    return nullptr;
}

void PrintOut(const QString& text) { Write(stdout, text); }
void PrintError(const QString& text) { Write(stderr, text); }
