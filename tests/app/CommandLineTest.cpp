#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

#include "TestUtil.h"
#include "app/CommandLine.h"
#include "platform/ConfigDir.h"

using namespace pixfold;
using namespace pixfold::test;

namespace {

using Action = CommandLine::Action;

CommandLine Parse(std::vector<std::string> args) {
    return ParseCommandLine(args);
}

struct Answer {
    int status;
    std::string out, err, folder;
};

Answer Answered(std::vector<std::string> args) {
    args.insert(args.begin(), "pixfold");
    std::vector<char*> argv;
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Answer a;
    a.status = AnswerCommandLine(int(args.size()), argv.data(), out, err, a.folder);
    for (auto [f, text] : {std::pair{out, &a.out}, std::pair{err, &a.err}}) {
        std::rewind(f);
        for (int c; (c = std::fgetc(f)) != EOF;) {
            text->push_back(char(c));
        }
        std::fclose(f);
    }
    return a;
}

}  // namespace

TEST(CommandLine, AFolderHelpVersionOrAMistake) {
    EXPECT_EQ(Parse({}).action, Action::Run);
    EXPECT_EQ(Parse({}).folder, "");
    EXPECT_EQ(Parse({"good/"}).folder, "good/");
    EXPECT_EQ(Parse({"-"}).folder, "-") << "a lone dash is a name";
    EXPECT_EQ(Parse({"--", "--help"}).folder, "--help");
    EXPECT_EQ(Parse({"--", "-x"}).action, Action::Run);
    EXPECT_EQ(Parse({"--help"}).action, Action::Help);
    EXPECT_EQ(Parse({"a", "-h"}).action, Action::Help);
    EXPECT_EQ(Parse({"--version"}).action, Action::Version);
    EXPECT_EQ(Parse({"--bogus"}).problem, "unknown option --bogus");
    EXPECT_EQ(Parse({"a", "--help=x"}).action, Action::Error);
    EXPECT_EQ(Parse({"a", "b"}).problem, "more than one folder given");
}

TEST(CommandLine, AnswersGoToTheRightStreamWithTheRightStatus) {
    Answer help = Answered({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: pixfold [FOLDER]\n", 0), 0u) << help.out;
    EXPECT_EQ(help.err, "");

    Answer version = Answered({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("pixfold ") + ProgramVersion() + "\n");
    EXPECT_NE(std::string(ProgramVersion()), "");

    Answer bad = Answered({"--bogus"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err.rfind("pixfold: unknown option --bogus\n\nUsage: pixfold", 0), 0u) << bad.err;

    Answer run = Answered({"--", "--help"});
    EXPECT_EQ(run.status, -1);
    EXPECT_EQ(run.folder, "--help");
    EXPECT_EQ(run.out + run.err, "");
}

TEST(CommandLine, FolderPathsAreMadeAbsoluteAndPlain) {
    const std::string cwd = "/home/u";
    EXPECT_EQ(NormalizeFolderPath("good", cwd), "/home/u/good");
    EXPECT_EQ(NormalizeFolderPath("good/", cwd), "/home/u/good");
    EXPECT_EQ(NormalizeFolderPath("./good", cwd), "/home/u/good");
    EXPECT_EQ(NormalizeFolderPath("good/..", cwd), "/home/u");
    EXPECT_EQ(NormalizeFolderPath(".", cwd), "/home/u");
    EXPECT_EQ(NormalizeFolderPath("../../../..", cwd), "/");
    EXPECT_EQ(NormalizeFolderPath("//pics//./a/", cwd), "/pics/a");
    EXPECT_EQ(NormalizeFolderPath("/", cwd), "/");
    EXPECT_EQ(NormalizeFolderPath("caf\xe9/", cwd), "/home/u/caf\xe9") << "bytes kept";
    EXPECT_EQ(NormalizeFolderPath("", cwd), "");
    EXPECT_EQ(NormalizeFolderPath("rel", ""), "rel") << "no working folder: left alone";
}

TEST(CommandLine, DotDotAfterALinkGoesWhereTheFileSystemGoes) {
    TempDir dir;
    MakeDirs(dir / "real/deep");
    MakeDirs(dir / "here");
    ASSERT_EQ(symlink((dir / "real/deep").c_str(), (dir / "here/link").c_str()), 0);
    EXPECT_EQ(NormalizeFolderPath("link/..", dir / "here"), dir / "real");
    EXPECT_EQ(NormalizeFolderPath("link/", dir / "here"), dir / "here/link") << "kept as typed";
}
