// Turns a dedicated server's log, line by line, into the client-console form our reader knows.
#pragma once

#include <cstddef>
#include <string_view>

#include "flag_scan.h"
#include "server_line.h"

// Receives the converted log one line at a time.
class LineSink {
 public:
  virtual ~LineSink() = default;
  // One line, without its line break.
  virtual void writeLine(std::string_view text) = 0;
};

// Names and map names longer than this are cut: no stock name comes near it, and it keeps
// every written line far below the reader's line limit.
constexpr std::size_t kMaxNameBytes = 63;

// The converter follows the server's clients by number and writes, for every server game
// (InitGame ... ShutdownGame), the lines a game client would have printed: the map, players
// entering, renaming, changing team and leaving, obituaries, flag events, one-line accuracy
// records and, last, one line that ends the game for our reader. Players are written as
// entering at the game's first death or flag event, so a game in which nothing happens
// writes no player line and ends no game of our reader's. State is fixed-size. Two things
// wait: a disconnect, for one line, so that the player's statistics line that follows it is
// written first; and the end of a match (Exit), until its statistics lines have been written
// and the map is unloaded or the next match begins. Deaths and flag touches between the end
// of a match and the next are left out.
class Converter {
 public:
  // `flagGames` tells which games log their flag events as Flag_* lines (see FlagLineGames);
  // nullptr: every game takes its flag events from the flag touches.
  Converter(LineSink& out, const FlagLineGames* flagGames);

  // Takes the next line of the server log (line break removed). Lines that are not
  // "Kind: fields", and kinds that carry nothing for our reader, are skipped.
  void feed(std::string_view line);

  // End of the log. A game that had ended by its rules gets its end line even if the log
  // stops before the map is unloaded; a game cut off in its middle gets none, like a client
  // log that stops in the middle of a game.
  void finish();

  int serverGames() const { return serverGames_; }        // InitGame lines seen
  int gamesHandedOn() const { return gamesHandedOn_; }    // games ended after player lines
  int warmupsDropped() const { return warmupsDropped_; }  // warm-ups ended as warm-ups
  int deathsWritten() const { return deathsWritten_; }
  int deathsLeftOut() const { return deathsLeftOut_; }   // means no text of ours represents

 private:
  struct Client {
    char name[kMaxNameBytes + 1] = {};
    std::size_t nameLen = 0;
    int team = 0;         // 0 none, 1 red, 2 blue, 3 spectator
    bool begun = false;   // ClientBegin seen since the client connected
    bool inGame = false;  // our reader holds a record under this name in the current game
  };
  enum class FlagWhere { kBase, kCarried, kDropped };
  struct Flag {
    FlagWhere where = FlagWhere::kBase;
    int carrier = -1;
    bool dropTimeKnown = false;
    double droppedAt = 0.0;
  };
  using Handler = void (Converter::*)(std::string_view fields);
  struct KindHandler {
    const char* kind;
    Handler handler;
  };
  static const KindHandler kHandlers[];

  void onInitGame(std::string_view fields);
  void onShutdownGame(std::string_view fields);
  void onExit(std::string_view fields);
  void onWarmup(std::string_view fields);
  void onGameStart(std::string_view fields);
  void onClientConnect(std::string_view fields);
  void onUserinfo(std::string_view fields);
  void onClientBegin(std::string_view fields);
  void onClientDisconnect(std::string_view fields);
  void onKill(std::string_view fields);
  void onItem(std::string_view fields);
  void onFlagLine(std::string_view fields, bool enemyColour, const char* before, const char* after);
  void onWeaponStats(std::string_view fields);

  // Writes a player line, after the waiting disconnect and the waiting end of the game.
  void emit(std::string_view text);
  void flushPendingDisconnect();
  void flushPendingEnd();
  // Ends our reader's current game with `boundary` if anything was written in it.
  void closeClientGame(const char* boundary);
  // The map is unloaded (or a new one starts without the old one being unloaded).
  void closeServerGame();
  // Before a death or a flag event: the waiting lines go out and, at the first event of a
  // game, the entry lines of everyone who has entered it.
  void startEvent();
  // Writes the player's entry line if our reader holds no record of him in this game.
  void announce(int c);
  void writeAccuracy(int c, std::string_view stats);
  void writeFlagEvent(int c, const char* before, int colour, const char* after);
  void dropFlagsOf(int c);
  bool dropExpired(const Flag& flag) const;
  void setName(Client& client, std::string_view name);
  std::string_view nameOf(int c) const;
  void resetClients();
  void resetFlags();

  LineSink& out_;
  const FlagLineGames* flagGames_;
  Client clients_[kMaxClients];
  Flag flags_[3];             // [1] the red flag, [2] the blue flag
  int serverGames_ = 0;
  int gametype_ = -1;         // g_gametype of the InitGame line; -1 when it has none
  bool flagLines_ = false;    // this game's flag events come from Flag_* lines
  bool warmup_ = false;       // a warm-up is running: its lines are dropped at its end
  int playerLines_ = 0;       // player lines written since our reader's game began
  bool eventsStarted_ = false;  // a death or flag event was written in our reader's game
  const char* pendingEnd_ = nullptr;  // the match ended; its end line waits for its statistics
  int pendingDisconnect_ = -1;
  bool nowKnown_ = false;
  double now_ = 0.0;
  int gamesHandedOn_ = 0;
  int warmupsDropped_ = 0;
  int deathsWritten_ = 0;
  int deathsLeftOut_ = 0;
};
