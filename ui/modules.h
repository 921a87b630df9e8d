#pragma once

#include <QFunctionPointer>
#include <QStringList>

// The game's modules: parts built as libraries of their own and loaded the
// first time they are wanted, so that the libraries behind them (audio,
// charts) are not loaded at start. Each has one entry point.
namespace Modules {

// Where the program looks for its modules: beside itself (a build) and in
// the game's library folder (installed).
QStringList folders();

// The entry point of the named module, loaded from the first of those
// folders that has it and never unloaded; nothing when none has it.
QFunctionPointer resolve(const char *module, const char *entryPoint);

template <typename Entry>
Entry entry(const char *module, const char *entryPoint)
{
    return reinterpret_cast<Entry>(resolve(module, entryPoint));
}

} // namespace Modules
