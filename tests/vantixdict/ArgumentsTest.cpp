// The command line: what each command takes, and the usage errors.
#include "Arguments.h"
#include "Ordering.h"

#include <gtest/gtest.h>

namespace {

ParsedArguments Parse(std::vector<std::string> args) {
    return ParseArguments(args);
}

std::string ErrorOf(std::vector<std::string> args) {
    const ParsedArguments parsed = ParseArguments(args);
    EXPECT_FALSE(parsed.error.empty());
    return parsed.error;
}

TEST(Arguments, HelpAndVersion) {
    EXPECT_EQ(Parse({"--help"}).arguments.command, Command::Help);
    EXPECT_EQ(Parse({"--version"}).arguments.command, Command::Version);
    const ParsedArguments topic = Parse({"help", "convert"});
    EXPECT_EQ(topic.arguments.command, Command::Help);
    EXPECT_EQ(topic.arguments.helpTopic, "convert");
    const ParsedArguments inCommand = Parse({"sort", "--help"});
    EXPECT_TRUE(inCommand.error.empty());
    EXPECT_EQ(inCommand.arguments.command, Command::Help);
    EXPECT_EQ(inCommand.arguments.helpTopic, "sort");
}

TEST(Arguments, Check) {
    const ParsedArguments parsed = Parse({"check", "a.dat", "--tips", "--from", "big5", "--strict"});
    ASSERT_TRUE(parsed.error.empty()) << parsed.error;
    EXPECT_EQ(parsed.arguments.command, Command::Check);
    EXPECT_EQ(parsed.arguments.files, std::vector<std::string>{"a.dat"});
    EXPECT_TRUE(parsed.arguments.tips);
    EXPECT_TRUE(parsed.arguments.strict);
    EXPECT_EQ(parsed.arguments.from, TextForm::Big5);
}

TEST(Arguments, ConvertTakesTheOutputEitherWay) {
    const ParsedArguments operands = Parse({"convert", "in.dat", "out.txt", "--to=utf8", "--bom", "--eol", "crlf"});
    ASSERT_TRUE(operands.error.empty()) << operands.error;
    EXPECT_EQ(operands.arguments.files.size(), 2u);
    EXPECT_EQ(operands.arguments.to, TextForm::Utf8);
    EXPECT_TRUE(operands.arguments.byteOrderMark);
    EXPECT_EQ(operands.arguments.lineEnd, LineEnd::CrLf);

    const ParsedArguments option = Parse({"convert", "in.txt", "-o", "in.txt", "--to", "utf16", "--drop-invalid"});
    ASSERT_TRUE(option.error.empty()) << option.error;
    EXPECT_EQ(option.arguments.output, "in.txt");
    EXPECT_EQ(option.arguments.to, TextForm::Stored);
    EXPECT_TRUE(option.arguments.dropInvalid);
}

TEST(Arguments, SortNeedsAnOrderAndAnOutput) {
    const ParsedArguments parsed = Parse({"sort", "a.dat", "--by", "vantix", "--descending", "-o", "b.dat"});
    ASSERT_TRUE(parsed.error.empty()) << parsed.error;
    EXPECT_EQ(parsed.arguments.sortColumn, PhraseColumnVantixKey);
    EXPECT_TRUE(parsed.arguments.descending);
    EXPECT_EQ(Parse({"sort", "a", "--by", "phrase", "-o", "b"}).arguments.sortColumn, PhraseColumnPhrase);
    EXPECT_EQ(Parse({"sort", "a", "--by", "key", "-o", "b"}).arguments.sortColumn, PhraseColumnInputKey);

    EXPECT_EQ(ErrorOf({"sort", "a.dat", "-o", "b.dat"}), "sort needs --by phrase, --by vantix or --by key");
    EXPECT_EQ(ErrorOf({"sort", "a.dat", "--by", "key"}), "sort needs -o OUT (which may name the input to replace it)");
    EXPECT_EQ(ErrorOf({"sort", "a.dat", "--by", "size", "-o", "b"}), "--by takes phrase, vantix or key, not 'size'");
    EXPECT_NE(ErrorOf({"sort", "a.dat", "--tips", "--by", "key", "-o", "b"}).find("phrase files only"), std::string::npos);
}

TEST(Arguments, UsageErrors) {
    EXPECT_EQ(ErrorOf({"frobnicate"}), "unknown command 'frobnicate'");
    EXPECT_EQ(ErrorOf({"check"}), "check takes one file");
    EXPECT_EQ(ErrorOf({"check", "a", "b"}), "check takes one file");
    EXPECT_EQ(ErrorOf({"check", "a", "--to", "utf8"}), "check does not take --to");
    EXPECT_EQ(ErrorOf({"stats", "a", "--bogus"}), "unknown option '--bogus'");
    EXPECT_EQ(ErrorOf({"convert", "a"}), "convert needs an output file: convert IN OUT");
    EXPECT_EQ(ErrorOf({"convert", "a", "b", "-o", "c"}), "convert takes IN OUT or IN -o OUT, not both");
    EXPECT_EQ(ErrorOf({"convert", "a", "b", "--to", "latin1"}), "--to takes utf8 or utf16, not 'latin1'");
    EXPECT_EQ(ErrorOf({"convert", "a", "b", "--to", "big5"}), "--to takes utf8 or utf16, not 'big5'");
    EXPECT_EQ(ErrorOf({"convert", "a", "b", "--from", "latin1"}), "--from takes utf8, utf16 or big5, not 'latin1'");
    EXPECT_EQ(ErrorOf({"convert", "a", "b", "--eol", "lfcr"}), "--eol takes lf, crlf or cr, not 'lfcr'");
    EXPECT_EQ(ErrorOf({"convert", "a", "b", "--to"}), "--to needs a value");
    EXPECT_EQ(ErrorOf({"convert", "a", "b", "--bom=yes"}), "--bom takes no value");
    EXPECT_EQ(ErrorOf({"convert", "a", "b", "--drop-invalid", "--keep-invalid"}),
              "--drop-invalid and --keep-invalid exclude each other");
    EXPECT_EQ(ErrorOf({"help", "frobnicate"}), "unknown command 'frobnicate'");
}

TEST(Arguments, DoubleDashEndsTheOptions) {
    const ParsedArguments parsed = Parse({"check", "--", "-odd name.dat"});
    ASSERT_TRUE(parsed.error.empty()) << parsed.error;
    EXPECT_EQ(parsed.arguments.files, std::vector<std::string>{"-odd name.dat"});
}

}  // namespace
