#include "base/Message.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdlib>

HostMessage MakeMessage(const MessageTable& table, MessageKind kind, std::vector<std::string> args,
                        std::string cause) {
  const auto found = std::find_if(table.rows.begin(), table.rows.end(),
                                  [kind](const MessageRow& row) { return row.kind == kind; });
  if (found == table.rows.end()) std::abort();
  HostMessage message;
  message.table = &table;
  message.row = &*found;
  message.args = std::move(args);
  message.cause = std::move(cause);
  return message;
}

HostMessage MakeBlockMessage(const MessageTable& table, MessageKind kind, int bank, int block) {
  HostMessage message = MakeMessage(table, kind, {std::to_string(bank), std::to_string(block)});
  message.bank = bank;
  message.block = block;
  return message;
}

std::string FillArguments(const std::string& text, const std::vector<std::string>& args) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
      const size_t index = static_cast<size_t>(text[i + 1] - '1');
      if (index < args.size()) {
        out += args[index];
        ++i;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

std::string MessageText(const HostMessage& message) {
  // Without an installed translator this is the row's English text unchanged.
  const std::string text =
      QCoreApplication::translate(message.table->context, message.row->text).toStdString();
  return FillArguments(text, message.args);
}

std::string EnglishMessageText(const HostMessage& message) {
  return FillArguments(message.row->text, message.args);
}

std::string MessageTitle(const HostMessage& message) {
  if (!message.row->title) return {};
  return QCoreApplication::translate(message.table->context, message.row->title).toStdString();
}
