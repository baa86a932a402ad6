#include "export/chat_export.h"

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "export/file_names.h"
#include "export/find_file_pattern.h"
#include "store/message_query.h"

namespace tavrin::chat_export {

namespace {

constexpr std::string_view kDatabaseFileName = "main.db";
constexpr std::string_view kNoDatabasesText = "No log files found !";
// A chat group whose date part is shorter than this has no usable date and gets no file.
constexpr std::size_t kShortestDatePart = 6;

// Restores the controls on every way out of the run, in the order the window relies on.
class ControlsGuard {
 public:
  explicit ControlsGuard(TExportHost& host) : host_(host) {
    host_.SetExportButtonEnabled(false);
    host_.SetFolderBoxEnabled(false);
    host_.SetFolderBoxColor(kClBtnFace);
  }
  ~ControlsGuard() {
    try {
      host_.SetExportButtonEnabled(true);
      host_.SetFolderBoxEnabled(true);
      host_.SetFolderBoxColor(kClWindow);
    } catch (...) {
      // Restoring runs while another failure may be on its way out; that one is reported.
    }
  }
  ControlsGuard(const ControlsGuard&) = delete;
  ControlsGuard& operator=(const ControlsGuard&) = delete;

 private:
  TExportHost& host_;
};

std::size_t CharacterCount(std::string_view utf8) {
  return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

// True when something other than spaces and control characters (U+0020 and below) is left
// after trimming both ends, i.e. when any character is above U+0020.
bool HasVisibleText(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) > 0x20; });
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Every chat file given out in this run, by name and by the file the name leads to, so that
// no later chat group replaces one: neither through the same name nor through another name of
// the same file (a link left in the output folder, or letter case on a file system that
// ignores it).
class ChatFileNames {
 public:
  explicit ChatFileNames(const platform::FileSystem& files) : files_(files) {}

  // The name nameWith("") makes, or the first of nameWith("_2"), nameWith("_3"), ... that is
  // still free. Each candidate is built anew rather than numbered after the fact, so that a
  // name shortened to fit the file system's limit still fits with its number.
  template <typename NameWithSuffix>
  std::string Claim(const NameWithSuffix& nameWith) {
    std::string name = nameWith(std::string_view{});
    for (std::size_t n = 2; !IsFree(name); ++n) name = nameWith("_" + std::to_string(n));
    return Taken(std::move(name));
  }

  // To be called once the claimed file exists.
  void Created(const std::string& name) {
    if (const auto identity = files_.IdentityOf(name)) createdFiles_.insert(*identity);
  }

 private:
  bool IsFree(const std::string& name) const {
    if (names_.count(name) != 0) return false;
    if (createdFiles_.empty()) return true;
    const auto identity = files_.IdentityOf(name);
    return !identity || createdFiles_.count(*identity) == 0;
  }
  std::string Taken(std::string name) {
    names_.insert(name);
    return name;
  }

  const platform::FileSystem& files_;
  std::unordered_set<std::string> names_;
  std::set<platform::FileIdentity> createdFiles_;
};

// The line writer of one chat file: formats, converts and writes, reusing its buffers so a
// row costs no allocation once the buffers have grown to the longest line.
class ChatLineWriter {
 public:
  explicit ChatLineWriter(const platform::CodePage& codePage) : codePage_(codePage) {}

  void Write(platform::OutputFile& file, std::string_view mdate, std::string_view sender,
             std::string_view body) {
    line_.clear();
    line_.append("[").append(mdate).append("] ").append(sender).append(": ").append(body);
    line_.append("\r\n");
    file.Write(Encoded());
  }

 private:
  // The store hands out well-formed UTF-8 that already holds only what the code page can
  // hold, so under UTF-8 the line is written as it is. Every other code page of this
  // platform's locales holds ASCII unchanged, so an all-ASCII line is written as it is too.
  std::string_view Encoded() {
    if (codePage_.IsUtf8() || IsAscii(line_)) return line_;
    encoded_.clear();
    codePage_.AppendNarrow(line_, encoded_);
    return encoded_;
  }

  const platform::CodePage& codePage_;
  std::string line_;
  std::string encoded_;
};

class ExportRun {
 public:
  explicit ExportRun(const TExportContext& context)
      : context_(context),
        host_(context.host),
        lineWriter_(context.codePage),
        names_(context.files) {}

  TExportSummary Run() {
    ControlsGuard controls(host_);
    const std::optional<std::string> chosen = host_.ChooseOutputFile();
    if (!chosen) {
      summary_.cancelled = true;
      return summary_;
    }
    outputFolder_ = OutputFolderOf(*chosen);
    nameMax_ = context_.files.NameMaxOf(outputFolder_);
    std::vector<std::string> databases;
    FindFilePattern(host_.DatabaseRoot(), std::string(kDatabaseFileName), databases,
                    context_.lister, [this] { host_.ProcessMessages(); });
    if (databases.empty()) {
      host_.ShowErrorDialog(std::string(kNoDatabasesText));
      return summary_;
    }
    host_.OnDatabasesFound(databases.size());
    for (std::size_t i = 0; i < databases.size(); ++i) ExportDatabase(i, databases[i]);
    summary_.databases = databases.size();
    summary_.terminated = host_.Terminated();
    return summary_;
  }

 private:
  void OpenDatabase(const std::string& path) {
    store::TSQLConnection& connection = context_.connection;
    connection.SetConnected(false);
    connection.SetDatabase(path);
    connection.SetConnected(true);
    context_.query.SetSQL(store::kMessageQuery);
    context_.query.Open();
  }

  void ExportDatabase(std::size_t index, const std::string& path) {
    OpenDatabase(path);
    store::TReadOnlyQuery& query = context_.query;
    const store::TField& chatname = query.FieldByName("chatname");
    const store::TField& mdate = query.FieldByName("mdate");
    const store::TField& sender = query.FieldByName("from_dispname");
    const store::TField& body = query.FieldByName("msg");
    host_.OnDatabaseOpened(index, path, query.RecordCount());

    // The query's cache outlives the loop, so the chat name can be held as a view into it.
    std::string_view currentChat;
    bool inChatGroup = false;
    std::unique_ptr<platform::OutputFile> chatFile;
    while (!query.Eof() && !host_.Terminated()) {
      host_.ProcessMessages();
      const std::string_view chat = chatname.AsString();
      const std::string_view date = mdate.AsString();
      if (!inChatGroup || chat != currentChat) {
        inChatGroup = true;
        currentChat = chat;
        CloseChatFile(chatFile);
        chatFile = StartChatGroup(chat, date);
      }
      if (chatFile) {
        const std::string_view text = body.AsString();
        if (HasVisibleText(text)) {
          lineWriter_.Write(*chatFile, date, sender.AsString(), text);
          ++summary_.lines;
        }
      }
      ++summary_.rows;
      query.Next();
    }
    CloseChatFile(chatFile);
  }

  // A failed close leaves the file closed all the same; the failure ends the run.
  static void CloseChatFile(std::unique_ptr<platform::OutputFile>& chatFile) {
    std::unique_ptr<platform::OutputFile> closing = std::move(chatFile);
    if (closing) closing->Close();
  }

  // The chat file of a new chat group, or none when the group has no date or no chat name.
  std::unique_ptr<platform::OutputFile> StartChatGroup(std::string_view chat,
                                                       std::string_view newestDate) {
    const std::string datePart = ChatDatePart(newestDate);
    if (CharacterCount(datePart) < kShortestDatePart || chat.empty()) return nullptr;
    const std::string fileName = names_.Claim([&](std::string_view suffix) {
      return ChatFileName(outputFolder_, datePart, chat, suffix, nameMax_);
    });
    std::unique_ptr<platform::OutputFile> file;
    try {
      file = context_.files.CreateFile(fileName);
    } catch (...) {
      // The user learns which file failed before learning why.
      host_.ShowMessageDialog(fileName);
      throw;
    }
    names_.Created(fileName);
    ++summary_.chatFiles;
    host_.OnChatFileCreated(fileName);
    return file;
  }

  const TExportContext& context_;
  TExportHost& host_;
  ChatLineWriter lineWriter_;
  ChatFileNames names_;
  std::string outputFolder_;
  std::size_t nameMax_ = kCommonNameMax;
  TExportSummary summary_;
};

}  // namespace

TExportSummary doTavrinExport(const TExportContext& context) {
  return ExportRun(context).Run();
}

}  // namespace tavrin::chat_export
