-- Lists the actors that stand outside their submap's map, over every submap.
-- quarry-cli run actors_outside.lua IN.nes
local found = 0
for _, s in ipairs(quarry.submaps()) do
  local ok, problem = pcall(quarry.load, s.set, s.area, s.submap)
  if not ok then
    print(string.format("set %d area %d submap %d cannot be read: %s", s.set, s.area, s.submap, problem))
  else
    local wide, high = quarry.map_size()
    for _, a in ipairs(quarry.actors()) do
      if a.x >= wide * 256 or a.y > high * 224 then
        print(string.format("set %d area %d submap %d (%s): actor %d at (%d, %d) outside %d x %d",
          s.set, s.area, s.submap, s.caption, a.n, a.x, a.y, wide * 256, high * 224))
        found = found + 1
      end
    end
  end
end
print(found .. " actors outside their maps")
