#pragma once

#include "data/error.h"
#include "data/text.h"

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>

namespace sg8 {

/// The I/O operations of the file layer (Step::OpenForReading to Step::SyncFolder),
/// each a place where a test can make it fail.
using IoStep = Step;

/// Test seam: asked before every I/O operation of the file layer (on any thread);
/// a non-zero answer is the system error code with which that operation then fails.
/// An empty function (the default) injects nothing.
using FaultInjector = std::function<int(IoStep)>;
void setFaultInjector(FaultInjector injector);

/// Paths are native paths; these convert to and from UTF-8 on every platform.
std::filesystem::path pathFromUtf8(std::string_view utf8);
std::string pathToUtf8(const std::filesystem::path& path);

/// “NAME”: a file as messages name it, by its name alone (the whole path when it has no name).
std::string quotedFileName(const std::filesystem::path& path);

/// The whole contents of a file; empty when it can't be read or is empty.
ByteString readWholeFile(const std::filesystem::path& path);

/// The whole contents of a file, or why it couldn't be read.
Result<ByteString> readFile(const std::filesystem::path& path);

/// Reads the file piece by piece, handing each to `onPiece` until the end or until
/// `onPiece` answers false; the file is never held whole. An error when it can't be read.
Status readFileInPieces(const std::filesystem::path& path, const std::function<bool(std::string_view)>& onPiece);

/// Whether the file at `path` holds exactly `bytes`, compared piece by piece as it
/// is read; an error when it can't be read.
Result<bool> fileHolds(const std::filesystem::path& path, std::string_view bytes);

/// Creates or empties the file and writes the parts in order, in place. A failed
/// write leaves what was written before it; saves use replaceFile instead.
bool writeWholeFile(const std::filesystem::path& path, std::initializer_list<ByteString> parts);

/// Moves the file to the target name or, failing that, copies it over the target
/// and deletes the source.
bool moveFile(const std::filesystem::path& from, const std::filesystem::path& to);

/// Replaces the file at `target` by `bytes` so that, whatever fails, the target
/// holds either its old bytes or all the new ones: a temporary file in the same
/// folder is written, flushed to disk and renamed over the target. The target's
/// permission bits are kept; a target that is a symbolic link keeps the link and
/// the file it points to is replaced. A failure removes the temporary file and
/// says which step failed and why. After a replace, temporary files of the same
/// target that a killed save left more than an hour ago are removed.
Status replaceFile(const std::filesystem::path& target, const ByteString& bytes);

}  // namespace sg8
