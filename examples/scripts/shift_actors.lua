-- Moves every actor of one submap by whole metatile columns (default one to
-- the right). Moves the editor would refuse are reported and skipped.
-- quarry-cli run -o OUT.nes shift_actors.lua IN.nes SET AREA SUBMAP [COLUMNS]
local set, area, submap = tonumber(arg[1]), tonumber(arg[2]), tonumber(arg[3])
local columns = tonumber(arg[4] or "1")
assert(set and area and submap and columns, "usage: shift_actors.lua ROM SET AREA SUBMAP [COLUMNS]")
quarry.load(set, area, submap)
quarry.step(string.format("Shift actors by %d", columns))
for _, a in ipairs(quarry.actors()) do
  local ok, problem = pcall(quarry.set_actor, a.n, { x = a.x + 16 * columns })
  if not ok then
    print(string.format("actor %d stays: %s", a.n, problem))
  end
end
