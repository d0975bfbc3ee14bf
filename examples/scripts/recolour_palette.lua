-- Replaces one NES colour by another in the palettes of every submap of every
-- object set (day and night). The game's fixed sprite colours stay.
-- quarry-cli run -o OUT.nes recolour_palette.lua IN.nes FROM TO
local from, to = tonumber(arg[1]), tonumber(arg[2])
assert(from and to, "usage: recolour_palette.lua ROM FROM TO")
quarry.step(string.format("Recolour $%02X to $%02X", from, to))
local entries = 0
for _, s in ipairs(quarry.submaps()) do
  for _, night in ipairs({ false, true }) do
    quarry.load(s.set, s.area, s.submap, night)
    for i, colour in ipairs(quarry.palette()) do
      local entry = i - 1
      if colour == from and (entry < 16 or entry > 23) then
        quarry.set_palette(entry, to)
        entries = entries + 1
      end
    end
  end
end
print(entries .. " palette entries changed")
