#include "platform/oserror.h"

#include <cerrno>

#ifdef _WIN32
#include <windows.h>

#include "platform/pathtext.h"
#endif

namespace bw {

std::string GermanReason(int error) {
  switch (error) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:  // also what a file size limit of the process gives
      return "Der Datenträger ist voll.";
    case EACCES:
    case EPERM:
      return "Die Zugriffsrechte reichen nicht aus.";
    case EROFS:
      return "Der Datenträger ist schreibgeschützt.";
    case ENOENT:
      return "Der Ordner fehlt.";
    case ENOTDIR:
      return "Ein Teil des Pfades ist kein Ordner.";
    case EISDIR:
      return "Dort steht ein Ordner.";
#ifdef ELOOP
    case ELOOP:  // what opening a link without following it gives
      return "Dort steht eine symbolische Verknüpfung.";
#endif
    case ENAMETOOLONG:
      return "Der Pfad ist zu lang.";
    case EIO:
      return "Der Datenträger meldet einen Ein-/Ausgabefehler.";
    case EBUSY:
      return "Gerät oder Ressource belegt.";
    case ENOTEMPTY:
      return "Der Ordner ist nicht leer.";
    case EEXIST:
      return "Der Eintrag besteht bereits.";
    case EXDEV:
      return "Das geht nicht über die Grenze eines Datenträgers hinweg.";
    case ETXTBSY:
      return "Die Datei wird gerade ausgeführt.";
    case EMFILE:
    case ENFILE:
      return "Zu viele Dateien sind geöffnet.";
    case ENOMEM:
      return "Der Arbeitsspeicher reicht nicht aus.";
    case EINVAL:
      return "Der Vorgang ist hier nicht zulässig.";
    case EAGAIN:
      return "Die Ressource ist vorübergehend nicht verfügbar.";
    default:
      // The system's own text is English here; the number is what a helper can look up.
      return "Systemfehler " + std::to_string(error) + ".";
  }
}

#ifdef _WIN32

// The codes that mean what an errno value means share its sentence.
std::string GermanSystemReason(unsigned long error) {
  switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return GermanReason(ENOSPC);
    case ERROR_ACCESS_DENIED:
      return GermanReason(EACCES);
    // Held open by another program (a running game holds its mods' files), or, for a folder
    // that was emptied, holding an entry that such a program has yet to let go.
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_DIR_NOT_EMPTY:
      return "Ein anderes Programm greift gerade darauf zu.";
    case ERROR_WRITE_PROTECT:
      return GermanReason(EROFS);
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
      return GermanReason(ENOENT);
    case ERROR_DIRECTORY:
      return GermanReason(ENOTDIR);
    case ERROR_FILENAME_EXCED_RANGE:
      return GermanReason(ENAMETOOLONG);
    case ERROR_CRC:
    case ERROR_IO_DEVICE:
      return GermanReason(EIO);
    default: {
      wchar_t* text = nullptr;
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
      std::wstring description = text ? text : L"";
      LocalFree(text);
      while (!description.empty() && (description.back() == L'\n' || description.back() == L'\r' ||
                                       description.back() == L' ' || description.back() == L'.')) {
        description.pop_back();
      }
      return "Systemfehler " + std::to_string(error) + " (" + Utf8(description) + ").";
    }
  }
}

#endif

}  // namespace bw
