#include "platform/oserror.h"

#include <cerrno>
#include <cstring>

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
    default:
      return "Systemfehler " + std::to_string(error) + " (" + std::strerror(error) + ").";
  }
}

}  // namespace bw
