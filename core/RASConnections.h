// The connection list: phonebook records in order, their file, and the live phonebook behind them.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/ConnectionArray.h"
#include "core/ConnectionRecord.h"
#include "core/EntryDetailsStore.h"
#include "core/EntryStatus.h"
#include "core/ErrorState.h"
#include "core/SafeFileWriter.h"
#include "platform/Phonebook.h"

// <windows.h> renames GetUserName below. Windows files include platform/win32/WinApi.h, which
// takes the renaming back; one that sees the raw macro would call a method that does not exist.
#ifdef GetUserName
#error "include platform/win32/WinApi.h instead of <windows.h> before this header"
#endif

namespace tollward {

class CRASBadAreaCodes;

// How the start-up's split against the store left the registered list.
enum class StoreBinding {
  kBound,  // sorted against the store and bound to it
  // The phonebook could not be read: nothing was sorted, the list holds the store's records
  // unchecked and is bound to the store.
  kPhonebookUnread,
  // The store exists but could be neither read nor kept aside (another program holds it, or
  // access to it is denied): the phonebook was sorted as against an empty store, and the list
  // is bound to no file, so nothing registered from now on can be kept.
  kStoreUnusable,
};

// The silent list: failures are kept in the error state and reported to nobody. Indexes are
// 1-based; 0 means none. A list that was loaded from or saved to a path writes itself there
// again when it is destroyed.
class CRASConnections : public CErrorState {
 public:
  explicit CRASConnections(IPhonebook& phonebook);
  // Copies records and path, shares the phonebook; the error state starts empty.
  CRASConnections(const CRASConnections& other);
  CRASConnections& operator=(const CRASConnections&) = delete;
  // Saves to the remembered path, if any. A failure is never shown: while this destructor runs
  // the object is a plain CRASConnections again, whose report does nothing.
  ~CRASConnections() override;

  void ReportError() override {}
  // Called for a checked record that differs from the entry at `index`; `differences` holds this
  // list's value of each differing field. While it runs, CheckedDetails() gives the further
  // properties that came with the checked record. The silent list ignores it.
  virtual void OnManipulatedConnection(const ConnectionRecord& checked, unsigned index,
                                       const ConnectionRecord& differences);

  unsigned GetCount() const { return static_cast<unsigned>(records_.size()); }
  // The index of the first record with exactly this name (letter case counts), or 0.
  unsigned Find(const char* name);
  // Appends a copy; a name that is already in the list is refused.
  bool Add(const ConnectionRecord& record);
  // Removes the record and keeps the order of the rest.
  bool Delete(unsigned index);

  // Texts point into the list and stay valid until it next changes. A bad index reports and
  // yields kInvalidConnectionText (GetRecord: an all-zero record).
  const char* GetName(unsigned index);
  const char* GetAreaCode(unsigned index);
  const char* GetLocalPhoneNumber(unsigned index);
  const char* GetUserName(unsigned index);
  const char* GetPassword(unsigned index);
  const ConnectionRecord& GetRecord(unsigned index);

  // Changes the record's user name and password and, on request, the phonebook entry's. An
  // empty password keeps the stored one; an empty user name clears the stored one.
  bool Set(unsigned index, const char* userName, const char* password, bool updatePhonebook);

  // Empties the list, with what it knows of its entries' statuses and unreadable entries.
  void ClearRecords();
  // Remembers a copy of the path, or forgets it when given none.
  void SetPath(const char* path);
  void ClearPath() { path_.reset(); }
  // The last write of a list that is done with: to the file it remembers, which it then forgets,
  // so that its destruction writes nothing more.
  void WriteBack() noexcept;
  const std::optional<std::string>& path() const { return path_; }
  // The phonebook the list reads and writes.
  IPhonebook& phonebook() const { return phonebook_; }

  // The further properties of the entry of exactly this name, as read from the phonebook, the
  // details file or the list the record came from; null when the list knows none for it, as for
  // a registration made before the details file existed.
  const EntryDetails* FindDetails(std::string_view name) const { return details_.Find(name); }
  void PutDetails(const std::string& name, const EntryDetails& details);
  // The further properties that came with the record CheckConnection is reporting, or null.
  const EntryDetails* CheckedDetails() const { return checkedDetails_; }
  // The details file that belongs to a connection file: its name with ".det" for ".con".
  static std::string DetailsPathFor(const std::string& storePath);
  // Empty unless the last save's details file could not be written: then the text of the step
  // that failed. The store's own result and error state do not show it.
  const std::string& detailsSaveError() const { return detailsSaveError_; }

  // Replaces the contents by every entry of the live phonebook that can be read; the list forgets
  // its path. The entries that were listed but could not be read are kept apart (unreadable()).
  // False unless every entry was read; without a list of the phonebook the list is empty.
  bool Retrieve();
  // The entries the phonebook listed but that could not be read, in the phonebook's order: of a
  // retrieved list, or of the other list after a split, which lists them as unregistered.
  const std::vector<UnreadableEntry>& unreadable() const { return unreadable_; }
  // The unreadable entry of exactly this name, or null.
  const UnreadableEntry* FindUnreadable(const std::string& name) const;
  // How the record at `index` stands towards the phonebook; kRead for a bad index.
  EntryStatus GetStatus(unsigned index) const;
  // Opens the system's editor for the named entry; the list itself does not change.
  bool EditPhonebookEntry(const char* entryName, NativeWindow window);

  // The connection file. Without a path the remembered one is used; a given path is
  // remembered even when the file then cannot be opened.
  bool Save() { return SaveTo(nullptr); }
  bool Save(const std::string& path) { return SaveTo(&path); }
  bool Load() { return LoadFrom(nullptr); }
  bool Load(const std::string& path) { return LoadFrom(&path); }
  // One record, scrambled, with one write; the record itself is not touched.
  bool WriteEncryptedEntry(const ConnectionRecord& record, CSafeFileWriter& file);
  // One record with one read, unscrambled, each field terminated inside its own size.
  bool ReadEncryptedEntry(ConnectionRecord& record, std::FILE* file);

  // The checks of the live phonebook against registered records. This list is the reference
  // in CheckConnection and the list being filled or thinned in the others.

  // True when this list holds an entry of the record's exact name with the same area code,
  // local number, user name and password (letter case aside). `differences` gets a copy of the
  // record when the name is unknown, else this list's value of each field that differs. Only a
  // known entry that differs, and only when asked, is handed to OnManipulatedConnection.
  // Where both lists know the entry's further properties, they count as well: an entry whose
  // only change is one of them differs with `differences` all empty.
  bool CheckConnection(const ConnectionRecord& checked, ConnectionRecord& differences, bool report);
  bool CheckConnection(const ConnectionRecord& checked, const EntryDetails* checkedDetails,
                       ConnectionRecord& differences, bool report);
  // Reads the phonebook and sorts every entry it could read, last first, into this list (those
  // that `registered` holds unchanged) and `other` (all the rest, and the entries that could not
  // be read). A registration whose entry could not be read stays in this list, unchecked. A
  // phonebook that cannot be listed changes neither list. The copy of `registered` taken at the
  // call rewrites its file, if it has one. `findings`, if given, gets what could not be checked.
  bool SplitPhonebook(const CRASConnections& registered, CRASConnections* other,
                      PhonebookFindings* findings = nullptr);
  // Splits the phonebook against the store at `path` and binds this list to that path. The
  // store keeps its records until this list's next save. A store that exists but cannot be
  // read is kept beside it first; if that fails, nothing writes over it and this list stays
  // unbound. When the phonebook cannot be read, this list takes the store's records unsorted.
  // `binding`, if given, tells how the list was left, `findings` what could not be checked.
  bool LoadAndSplitPhonebook(const std::string& path, CRASConnections& other,
                             StoreBinding* binding = nullptr,
                             PhonebookFindings* findings = nullptr);
  // Checks every record of `registered`, last first, against the phonebook and reports each
  // manipulated one, also when some entries could not be read; leaves this list empty. A
  // registration whose entry is gone is reported against an entry whose name differs from it
  // only in letter case or blanks around it, unless `listed` already lists that entry.
  bool ReportManipulations(const CRASConnections& registered,
                           const CRASConnections* listed = nullptr);
  // Checks the store's records, last first, against the phonebook, reporting the manipulated
  // ones; leaves in this list the stored records whose entry is gone. Never writes the store.
  bool CheckRegisteredFile(const std::string& path);
  // Moves every record whose number begins with a bad area code to `other`, or just drops it
  // without one. A registration whose entry could not be read is left alone: its live number is
  // not known.
  bool RemoveBadAreas(CRASBadAreaCodes& badAreas, CRASConnections* other);

  static const char kInvalidConnectionText[];

 private:
  enum class Reading { kComplete, kPartial, kUnlisted };

  // Null for an index outside 1 to the count, after reporting it.
  const ConnectionRecord* RecordAt(unsigned index);
  // One of the record's texts, or kInvalidConnectionText where the index names no record.
  template <typename Field>
  const char* TextAt(unsigned index, Field field);
  // Retrieve, with the entries last first when asked: the order the split leaves its lists in.
  // Its failures are kept, not reported: the scan or start-up tells of them in one message.
  Reading ReadPhonebook(bool lastFirst);
  bool ListNames(std::vector<std::string>& names);
  // Reports `registration`, whose entry this list lacks, against an entry of this list whose
  // name differs only in letter case or blanks around it, unless `listed` holds that entry: a
  // rename must not pass for a new entry.
  void ReportDisguisedRename(const ConnectionRecord& registration, const CRASConnections* listed);
  // CheckConnection's answer alone, for the passes that only sort: no differences, no report.
  bool HoldsUnchanged(const ConnectionRecord& checked, const EntryDetails* checkedDetails) const;
  // The further properties of this list's records, and only theirs, to the details file that
  // belongs to `storePath`. A details file that cannot be written costs no registration: the
  // failure is only kept in detailsSaveError_.
  void SaveDetails(const std::string& storePath);
  bool SaveTo(const std::string* path);
  // The connection file alone; SaveTo adds the details file.
  bool SaveStore(const std::string* path);
  bool LoadFrom(const std::string* path);
  // The details file that belongs to the store just loaded; none leaves every record without.
  void LoadDetails(const std::string& storePath);
  // SplitPhonebook against `reference`, which it fills with the registered list as it stands.
  bool SplitAgainst(const CRASConnections& registered, CRASConnections& reference,
                    CRASConnections* other, PhonebookFindings* findings);
  // LoadAndSplitPhonebook with `stored` as its working list.
  bool SplitAgainstStore(const std::string& path, CRASConnections& stored, CRASConnections& other,
                         StoreBinding* binding, PhonebookFindings* findings);
  // Runs `operation`, then writes `working` back, also when the operation throws: the working
  // copy of a store leaves the store as that copy holds it, however the operation ends.
  template <typename Operation>
  static auto WrittenBackAfter(CRASConnections& working, Operation&& operation) {
    try {
      const auto result = operation();
      working.WriteBack();
      return result;
    } catch (...) {
      working.WriteBack();
      throw;
    }
  }

  IPhonebook& phonebook_;
  CConnectionArray records_;
  const ConnectionRecord placeholder_{};
  std::optional<std::string> path_;
  // Records by name whose status is not kRead; only registrations are ever held so.
  std::unordered_map<std::string, EntryStatus> statuses_;
  std::vector<UnreadableEntry> unreadable_;
  // By entry name; the record's further properties where the list knows them.
  CEntryDetailsStore details_;
  // A details file that exists but could be neither read nor kept aside is never written over.
  bool detailsFileBlocked_ = false;
  std::string detailsSaveError_;
  const EntryDetails* checkedDetails_ = nullptr;
};

}  // namespace tollward
