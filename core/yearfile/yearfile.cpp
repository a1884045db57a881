#include "core/yearfile/yearfile.h"

#include "core/util/fileio.h"
#include "core/util/sjis.h"

#include <cstring>
#include <memory>

namespace orv {
namespace {

#pragma pack(push, 1)
struct TPeriodBlock {
    TKihonRec Kihon;
    TSyainRec Syain[kSlots];
    TKintaiRec Kintai[kSlots];
    TSikyuRec Sikyu[kSlots];
    TKoujoRec Koujo[kSlots];
};
#pragma pack(pop)
static_assert(sizeof(TPeriodBlock) == kBlockSize);
static_assert(offsetof(TPeriodBlock, Syain) == 1384);
static_assert(offsetof(TPeriodBlock, Kintai) == 46384);
static_assert(offsetof(TPeriodBlock, Sikyu) == 64384);
static_assert(offsetof(TPeriodBlock, Koujo) == 77704);
static_assert(kYearFileSize == 1349288);

void blockToImage(const TPeriodBlock &b, PayImage &img)
{
    img.Kihon = b.Kihon;
    for (int i = 1; i <= kSlots; ++i) {
        img.Syain[i] = b.Syain[i - 1];
        img.Kintai[i] = b.Kintai[i - 1];
        img.Sikyu[i] = b.Sikyu[i - 1];
        img.Koujo[i] = b.Koujo[i - 1];
    }
}

void imageToBlock(const PayImage &img, TPeriodBlock &b)
{
    b.Kihon = img.Kihon;
    for (int i = 1; i <= kSlots; ++i) {
        b.Syain[i - 1] = img.Syain[i];
        b.Kintai[i - 1] = img.Kintai[i];
        b.Sikyu[i - 1] = img.Sikyu[i];
        b.Koujo[i - 1] = img.Koujo[i];
    }
}

Status readBlock(const std::string &path, int k, TPeriodBlock &b)
{
    return readAt(path, blockOffset(k), &b, sizeof b);
}

bool validPeriod(int k) { return k >= 1 && k <= kPeriods; }

Status badPeriod(int k)
{
    return Status::error("期間番号が正しくありません（" + std::to_string(k) + "）。1〜15を指定してください。");
}

template <typename T>
bool sameBytes(const T &a, const T &b)
{
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

// Writes header and (optionally) block k into the file, keeping every other byte. A file
// shorter than a complete yearly file keeps what it has and is completed with zeros.
Status writeHeadAndBlock(const std::string &path, const THeadRec &head, int k,
                         const TPeriodBlock *block)
{
    std::string bytes;
    if (fileExists(path)) {
        auto old = readWholeFile(path);
        if (!old)
            return old.status();
        bytes = std::move(*old);
    }
    if (bytes.size() < kYearFileSize)
        bytes.resize(kYearFileSize, '\0');
    std::memcpy(bytes.data(), &head, sizeof head);
    if (block)
        std::memcpy(bytes.data() + blockOffset(k), block, sizeof *block);
    return writeFileAtomic(path, bytes);
}

} // namespace

Status CreateYearFile(const std::string &path, PayImage &img, YearFileRun &run)
{
    if (fileExists(path))
        return Status::ok();
    clearRecord(img.Head);
    img.clearPeriod();
    Status s = writeFileAtomic(path, std::string(kYearFileSize, '\0'));
    if (!s)
        return s;
    run.CreatedFile = path;
    run.CreatedSaved = false;
    return Status::ok();
}

Status readYearHead(const std::string &path, THeadRec &head)
{
    THeadRec h;
    Status s = readAt(path, 0, &h, sizeof h);
    if (s)
        head = h;
    return s;
}

Status OpenPeriod(const std::string &path, int k, PayImage &img)
{
    if (!validPeriod(k))
        return badPeriod(k);
    auto head = std::make_unique<THeadRec>();
    auto block = std::make_unique<TPeriodBlock>();
    if (Status s = readAt(path, 0, head.get(), sizeof *head); !s)
        return s;
    if (Status s = readBlock(path, k, *block); !s)
        return s;
    img.Head = *head;
    blockToImage(*block, img);
    img.KikanNo = k;
    for (int i = 1; i <= kSlots; ++i) {
        auto &adrs = img.Syain[i].MailAdrs;
        if (!trimView(adrs.view()).empty() && adrs.view().size() > 48)
            adrs.set(CutBytes(adrs.view(), 48));
    }
    return Status::ok();
}

Change periodChanged(const std::string &path, const PayImage &img)
{
    int k = img.KikanNo;
    if (!validPeriod(k))
        return Change::Changed;
    THeadRec head;
    auto fileBlock = std::make_unique<TPeriodBlock>();
    if (!readAt(path, 0, &head, sizeof head) || !readBlock(path, k, *fileBlock))
        return Change::Changed;
    if (!sameBytes(head, img.Head))
        return Change::Changed;

    // Bytes after a name's length are not part of it; clear them on both sides.
    auto mine = std::make_unique<TPeriodBlock>();
    imageToBlock(img, *mine);
    for (TPeriodBlock *b : {mine.get(), fileBlock.get()}) {
        b->Kihon.Syamei.normalize();
        for (auto &s : b->Syain) {
            s.Simei.normalize();
            s.Busyo.normalize();
        }
    }
    // Bonus periods take their days and hours from the dialog each time; never a change.
    if (k > 12) {
        mine->Kihon.Nissu = fileBlock->Kihon.Nissu;
        mine->Kihon.Jikan = fileBlock->Kihon.Jikan;
    }
    return sameBytes(*mine, *fileBlock) ? Change::None : Change::Changed;
}

Prompter::Answer UnsavedChanges(const std::string &path, const PayImage &img, bool ask,
                                bool saveEnabled, Prompter &prompter)
{
    bool changed = periodChanged(path, img) == Change::Changed;
    if (!changed)
        return Prompter::Answer::No;
    if (ask) {
        if (!saveEnabled)
            return Prompter::Answer::No;
        return prompter.ask(Prompter::Kind::Warning, Prompter::Buttons::YesNoCancel,
                            "データが変更されています。保存しますか？");
    }
    return Prompter::Answer::Yes;
}

Result<bool> SavePeriod(const std::string &path, PayImage &img, Prompter &prompter,
                        YearFileRun &run)
{
    int k = img.KikanNo;
    if (!validPeriod(k))
        return badPeriod(k);
    bool changed = periodChanged(path, img) == Change::Changed;
    if (k <= 11 && changed && img.Head.Sakusei[k]) {
        auto a = prompter.ask(Prompter::Kind::Confirmation, Prompter::Buttons::YesNo,
                              "現在入力中の月の翌月データが存在します。\r"
                              "この状態で修正した内容は翌月に引き継がれない事が有ります。\r"
                              "データの保存を行いますか？");
        if (a != Prompter::Answer::Yes)
            return false;
    }
    THeadRec head = img.Head;
    head.Sakusei[k - 1] = true;
    auto block = std::make_unique<TPeriodBlock>();
    imageToBlock(img, *block);
    if (Status s = writeHeadAndBlock(path, head, k, block.get()); !s)
        return s;
    img.Head = head;
    prompter.notice("データファイルに保存しました。");
    if (path == run.CreatedFile)
        run.CreatedSaved = true;
    return true;
}

Result<bool> DeletePeriod(const std::string &path, int k, PayImage &img, Prompter &prompter)
{
    if (!validPeriod(k))
        return badPeriod(k);
    THeadRec head;
    if (Status s = readYearHead(path, head); !s)
        return s;
    if (!head.Sakusei[k - 1])
        return false;
    auto a = prompter.ask(Prompter::Kind::Confirmation, Prompter::Buttons::YesNo,
                          "選択されている給与/賞与のデータを削除しますか？");
    if (a != Prompter::Answer::Yes)
        return false;
    head.Sakusei[k - 1] = false;
    if (k > 12) {
        head.SikyuM[k - 13] = 0;
        head.SikyuD[k - 13] = 0;
    }
    auto block = std::make_unique<TPeriodBlock>();
    std::memset(static_cast<void *>(block.get()), 0, sizeof *block);
    if (Status s = writeHeadAndBlock(path, head, k, block.get()); !s)
        return s;
    img.Head = head;
    img.clearPeriod();
    return true;
}

double PrevYukyuZan(const std::string &curFile, int k, std::string_view uniqueKey)
{
    std::string file = k == 1 ? PrevYearFile(curFile) : curFile;
    int source = k == 1 ? 12 : k - 1;
    if (file.empty() || !fileExists(file) || !validPeriod(source))
        return -999;
    auto block = std::make_unique<TPeriodBlock>();
    if (!readBlock(file, source, *block))
        return -999;
    for (int i = 0; i < kSlots; ++i)
        if (block->Syain[i].UniqueKey.view() == uniqueKey)
            return block->Kintai[i].YukyuZan;
    return -999;
}

Status loadReference(const ReferenceChoice &ref, PayImage &img, Prompter &prompter)
{
    if (ref.month == 0) {
        img.clearPeriod();
        return Status::ok();
    }
    auto block = std::make_unique<TPeriodBlock>();
    if (Status s = readBlock(ref.file, ref.month, *block); !s)
        return s;
    img.clearPeriod();
    img.Kihon = block->Kihon;
    for (int i = 1; i <= kSlots; ++i)
        img.Syain[i] = block->Syain[i - 1];
    if (!trimView(img.Kihon.Syamei.view()).empty())
        prompter.warning("参照したデータと保険料率等が違う可能性があるので、\r"
                         "基本情報と社員情報の設定を確認して下さい。");
    return Status::ok();
}

Status NewPeriod(const NewPeriodInput &in, PayImage &img, Prompter &prompter)
{
    const int k = in.k;
    if (!validPeriod(k))
        return badPeriod(k);
    std::string sourceFile;
    int source = 0;
    if (k == 1) {
        std::string prev = PrevYearFile(in.curFile);
        if (!prev.empty() && fileExists(prev)) {
            sourceFile = prev;
            source = 12;
        }
    } else if (k <= 12) {
        sourceFile = in.curFile;
        source = k - 1;
    } else {
        for (int m = 12; m >= 1 && source == 0; --m)
            if (img.Head.Sakusei[m - 1]) {
                sourceFile = in.curFile;
                source = m;
            }
        if (source == 0 && img.Head.SikyuM[k - 13] == 1) {
            std::string prev = PrevYearFile(in.curFile);
            THeadRec prevHead;
            if (!prev.empty() && fileExists(prev) && readYearHead(prev, prevHead) &&
                prevHead.Sakusei[11]) {
                sourceFile = prev;
                source = 12;
            }
        }
    }

    img.clearPeriod();
    if (source > 0) {
        auto block = std::make_unique<TPeriodBlock>();
        // A missing or short source gives cleared data, as when there is no source.
        if (readBlock(sourceFile, source, *block)) {
            img.Kihon = block->Kihon;
            for (int i = 1; i <= kSlots; ++i)
                img.Syain[i] = block->Syain[i - 1];
        }
    }
    img.KikanNo = k;

    // A later month already exists: its data is newer than the source's, so start empty.
    if (!img.Kihon.Syamei.empty() && k <= 12) {
        bool later = false;
        for (int m = k; m <= 12; ++m)
            later = later || img.Head.Sakusei[m - 1];
        if (later) {
            clearRecord(img.Kihon);
            for (auto &s : img.Syain)
                clearRecord(s);
        }
    }
    img.clearVariable();

    if (in.defJikanD > 0 && img.Kihon.Syamei.empty() && in.chooseReference) {
        if (auto ref = in.chooseReference()) {
            if (Status s = loadReference(*ref, img, prompter); !s)
                return s;
        }
    }

    img.Kihon.Nissu = in.nissu;
    img.Kihon.Jikan = in.jikan;

    if (k <= 12) {
        for (int i = 1; i <= kSlots; ++i) {
            if (!SlotInUse(img, i))
                continue;
            TKintaiRec &t = img.Kintai[i];
            if (img.Syain[i].Keitai == 1) {
                t.SyukkinNissu = in.nissu;
                t.JitudoJikan = in.jikan;
            }
            double prev = PrevYukyuZan(in.curFile, k, img.Syain[i].UniqueKey.view());
            if (prev != -999)
                t.YukyuZan = prev - t.YukyuNissu;
        }
    }
    return Status::ok();
}

} // namespace orv
