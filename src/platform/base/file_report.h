#pragma once
// Damaged or missing data files. The game plays on without them (a picture draws nothing,
// a sound plays nothing), but the player is told which file is at fault and why: one line
// on standard error per file, the first time it is met.
#include <string>
#include <string_view>

// Writes "frikipartida: <path>: <problem>" on standard error unless this path was reported
// already. Bytes of the path that are not printable come out as '?'. After a few hundred
// distinct files one last line says that further files go unreported, so that no run
// (a fuzzer's, say) keeps a growing list.
void ReportBadFile(const std::string& path, const std::string& problem);

// The lines of a settings file that were not understood, said once the whole file is
// read, on one line of standard error: the file's name once, how many lines, and the
// first few, control bytes escaped. A file of a million bad lines is one message.
class BadLines {
   public:
    // consequence: what the game does about them ("se ignora").
    BadLines(std::string path, std::string consequence);
    void Add(int number, std::string_view line);
    int count() const { return total; }
    // Writes the message when there was any bad line.
    void Report() const;

   private:
    std::string path, consequence;
    std::string first;  // the first few, as shown
    int total = 0;
};

// Forgets which files were reported (tests).
void ForgetBadFileReports();
