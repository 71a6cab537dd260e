// The client's obituary for a death that a server's Kill line gives by means name.
#include "means.h"

#include "read/weapons.h"

ClientObituary clientObituary(std::string_view means, bool self, bool killerIsPlayer) {
  ClientObituary obituary;
  const ServerMeans* m = findServerMeans(means);
  if (m == nullptr) return obituary;
  if (m->world || self) {
    obituary.oneName = m->self;
  } else if (killerIsPlayer) {
    obituary.twoName = m->byOther;
    obituary.ending = m->ending;
  }
  // A weapon that killed with the world as the killer: the client says "died.", which our
  // reader does not know.
  return obituary;
}
