SELECT MIN(number) FROM electrometer
WHERE type_id = :type_id
AND NOT electro_id IN (SELECT electro_id FROM operation
  WHERE type_id = 3)
