-- Replaces one metatile by another in every map of an object set.
-- quarry-cli run -o OUT.nes replace_metatile.lua IN.nes SET FROM TO
local set, from, to = tonumber(arg[1]), tonumber(arg[2]), tonumber(arg[3])
assert(set and from and to, "usage: replace_metatile.lua ROM SET FROM TO")
quarry.step(string.format("Replace metatile %02X by %02X in object set %d", from, to, set))
local changed = 0
for _, s in ipairs(quarry.submaps()) do
  if s.set == set then
    quarry.load(s.set, s.area, s.submap)
    local wide, high = quarry.map_size()
    for row = 0, high * 7 - 1 do
      for col = 0, wide * 8 - 1 do
        if quarry.cell(col, row) == from then
          quarry.set_cell(col, row, to)
          changed = changed + 1
        end
      end
    end
  end
end
print(changed .. " cells changed")
