#pragma once
// The pack tool's commands. Each returns the process exit code; a file the libraries
// reject throws their GameError, which main reports.
#include <string>

int InfoCommand(const std::string& path);
int Fpg2VgpCommand(const std::string& in, const std::string& out);
int SheetCommand(const std::string& pack, const std::string& out);
int AnimCommand(const std::string& set, const std::string& pack, const std::string& number,
                const std::string& out);
