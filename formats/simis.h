// The container every MSTS data file comes in. A file is
//   - Unicode text: FF FE, then UTF-16LE text (a file that lost its mark
//     still opens with "SIMISA" in UTF-16LE);
//   - "SIMISA@@@@@@@@@@" and a 16-byte type line ("JINX0s1t______" and
//     CR LF), whose eighth letter tells 8-bit text (t) from binary tokens
//     (b) and whose sixth names the token table (s shape, w world...);
//   - "SIMISA@@@@@@@@@@" and a body that has no type line (an .ace);
//   - any of these compressed: "SIMISA@F", the body's length as a 32-bit
//     little-endian number, "@@@@", then a zlib stream holding what
//     follows the signature (the type line and the rest, or a Unicode text).
// The form is told from the first bytes alone, once, here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace formats {

enum class Form {
  kUnicodeText,   // body(): the UTF-16LE units after the FF FE mark
  kEightBitText,  // body(): the text, the signature and type line included
  kTokens,        // body(): the blocks after the type line
  kNoTypeLine,    // body(): what follows the signature
  kPlain,         // no SIMIS signature: body() is the whole file (empty too)
  kDamaged,       // a compressed file that does not inflate: fault() says why
};

// Why a file cannot be read: its container (here), its tokens
// (formats/tokens.h) or its form.
enum class Fault {
  kNone,
  kNotOpened,         // the file could not be opened
  kTooLarge,          // the file is larger than a file can be read
  kBadHeader,         // a compressed header cut short or without its "@@@@"
  kLengthTooLarge,    // a compressed body said to be larger than a file can be read
  kLongerThanStated,  // a zlib stream that gives more than its header says
  kStreamBroken,      // not a zlib stream, or one damaged on the way
  kStreamCut,         // a zlib stream that ends before its end
  kBlockCut,          // a block's header or count runs past its block or the file
  kLabelCut,          // a block's label runs past the block
  kValueCut,          // a string or number runs past its block
  kNotTokens,         // the blocks a file must hold are not there
  kUnknownForm,       // neither text nor tokens: no MSTS file of the kind asked for
};

// The largest body a compressed file may inflate to: the largest file the
// program reads (platform::kMaxReadBytes).
inline constexpr size_t kMaxBody = size_t{512} << 20;

class SimisFile {
 public:
  // Reads the container of the bytes, which must outlive this. A
  // compressed body is inflated here, into memory that grows with what the
  // stream gives, never by the length its header states.
  explicit SimisFile(std::string_view bytes);
  // The same, inflating no more than `body_limit` bytes of a compressed
  // body: enough for the header of a texture, from the first bytes of its
  // file. A body that fills the limit is whole as far as it goes.
  SimisFile(std::string_view bytes, size_t body_limit);

  Form form() const { return form_; }
  bool compressed() const { return compressed_; }
  Fault fault() const { return fault_; }
  // The length a compressed file states for its body.
  uint64_t stated_length() const { return stated_; }
  // The type line's letters without its CR LF ("JINX0s1b______"), when
  // the file has one.
  std::string_view type() const { return type_; }
  // Its sixth letter, which names the token table ('s', 'w', ...); 0 when
  // there is none.
  char table() const { return type_.size() > 5 ? type_[5] : '\0'; }
  std::string_view body() const;
  // A text form's text as UTF-8: Unicode text converted, 8-bit text as
  // platform::EightBitToUtf8 reads it.
  std::string Text() const;

  SimisFile(SimisFile&&) = default;
  SimisFile& operator=(SimisFile&&) = default;

 private:
  // What follows the signature, or a compressed file's inflated body.
  void ReadInner(std::string_view inner, size_t offset);
  void Inflate(std::string_view bytes, size_t body_limit);

  std::string_view bytes_;
  std::string inflated_;
  Form form_ = Form::kPlain;
  Fault fault_ = Fault::kNone;
  bool compressed_ = false;
  uint64_t stated_ = 0;
  std::string type_;
  // body() is [begin_, end_) of the inflated body when compressed, else of
  // the bytes.
  size_t begin_ = 0;
  size_t end_ = 0;
};

// Whether the bytes are UTF-16LE text: the FF FE mark, or a SIMIS text
// that lost it.
bool IsUnicodeText(std::string_view bytes);

}  // namespace formats
